#include "imports/entries/DialectSniffer.h"

#include "imports/entries/CellPieces.h"
#include "imports/entries/FieldFit.h"
#include "imports/entries/OrderedFields.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace orvanto::imports {

namespace {

// A cell of more pieces than this is no timetable cell; the field orders do not try it (the
// known forms still read it, line by line), so a crafted text costs no quadratic time.
constexpr std::size_t kMostPiecesSniffed = 256;
// A text taken as a course's option weighs against the reading more than any field's fit for:
// "体育2" under "体育(4-2)" is its teacher, however little it looks like a name.
constexpr double kOptionCost = 1.0;

constexpr std::array kSeparators{FieldSeparator::LineBreak, FieldSeparator::Semicolon,
                                 FieldSeparator::Blanks,    FieldSeparator::Comma,
                                 FieldSeparator::Bar,       FieldSeparator::Slash,
                                 FieldSeparator::Blank,     FieldSeparator::Mark};

std::vector<std::vector<EntryField>> fieldOrders() {
    std::vector<EntryField> order{EntryField::Course, EntryField::Teacher, EntryField::Weeks,
                                  EntryField::Room};
    std::vector<std::vector<EntryField>> orders;
    do {
        orders.push_back(order);
    } while (std::next_permutation(order.begin(), order.end()));
    return orders;
}

// The fits of the texts a file's readings give its fields, each worked out once: the same
// course or room comes back under most of the candidates.
class FitCache {
  public:
    double course(const std::string& text) { return fits(text)[0]; }
    double teacher(const std::string& text) { return fits(text)[1]; }
    double room(const std::string& text) { return fits(text)[2]; }

  private:
    const std::array<double, 3>& fits(const std::string& text) {
        auto [at, added] = m_fits.try_emplace(text);
        if (added) {
            at->second = {courseFitOf(text), teacherFitOf(text), roomFitOf(text)};
        }
        return at->second;
    }

    std::unordered_map<std::string, std::array<double, 3>> m_fits;
};

// What a reading of one cell adds to its dialect's score.
struct CellScore {
    bool explained = false;
    double fit = 0;
    std::size_t signature = 0;
};

// How well a cell's classes fit their fields, by the same measure whichever dialect read them:
// the mean over its classes; an empty teacher or room is neither evidence for nor against. A
// text taken as a course's option counts against the reading.
CellScore scoreOf(const CellReading& reading, FitCache& fits) {
    CellScore score;
    score.explained = reading.unread.empty() && !reading.classes.empty();
    std::size_t signature = reading.unread.size();
    const auto mix = [&signature](std::size_t value) {
        signature ^= value + 0x9e3779b97f4a7c15ULL + (signature << 6) + (signature >> 2);
    };
    const std::hash<std::string> hashText;
    double sum = 0;
    for (const CellClass& entry : reading.classes) {
        sum += fits.course(entry.course);
        sum += entry.teacher.empty() ? 0.5 : fits.teacher(entry.teacher);
        sum += entry.room.empty() ? 0.5 : fits.room(entry.room);
        mix(hashText(entry.course));
        mix(hashText(entry.teacher));
        mix(hashText(entry.room));
        mix(std::hash<WeekSet>{}(entry.weeks));
        mix(entry.periods
                ? static_cast<std::size_t>(entry.periods->first * 100 + entry.periods->last)
                : 0);
        mix(entry.weekday ? static_cast<std::size_t>(*entry.weekday) + 1 : 0);
    }
    if (!reading.classes.empty()) {
        score.fit = sum / static_cast<double>(reading.classes.size());
    }
    score.fit -= kOptionCost * static_cast<double>(reading.options);
    score.signature = signature;
    return score;
}

struct Tally {
    std::size_t explained = 0;
    double fit = 0;
    std::size_t signature = 0;

    void add(const CellScore& score, std::size_t times) {
        for (std::size_t i = 0; i < times; ++i) {
            explained += score.explained ? 1 : 0;
            fit += score.fit;
            signature = signature * 1000003 ^ score.signature;
        }
    }
};

bool isBetter(const Tally& a, const Tally& b) {
    if (a.explained != b.explained) {
        return a.explained > b.explained;
    }
    return a.fit > b.fit + 1e-9;
}

bool samePieces(const std::vector<CellPiece>& a, const std::vector<CellPiece>& b) {
    return std::ranges::equal(a, b, [](const CellPiece& x, const CellPiece& y) {
        return x.kind == y.kind && x.text == y.text;
    });
}

CellReading unexplained(std::string_view text) {
    CellReading reading;
    reading.unread.emplace_back(text);
    return reading;
}

} // namespace

const std::vector<Dialect>& candidateDialects() {
    static const std::vector<Dialect> candidates = [] {
        std::vector<Dialect> all{Dialect{}, Dialect{.blankLinesPart = false}};
        const auto orders = fieldOrders();
        for (const FieldSeparator separator : kSeparators) {
            for (const bool bracketGroups : {false, true}) {
                for (const auto& order : orders) {
                    all.push_back({.knownForms = false,
                                   .separator = separator,
                                   .order = order,
                                   .bracketGroups = bracketGroups,
                                   .blankLinesPart = false});
                }
            }
        }
        return all;
    }();
    return candidates;
}

CellReading readCellIn(std::string_view text, const Dialect& dialect) {
    if (dialect.knownForms) {
        return readClassCell(text, dialect.blankLinesPart);
    }
    const auto pieces = cutPieces(text, {dialect.separator, dialect.bracketGroups});
    if (pieces.size() > kMostPiecesSniffed) {
        return unexplained(text);
    }
    return readInOrder(pieces, dialect.order).reading;
}

DialectScore scoreDialect(std::span<const std::string> texts, const Dialect& dialect) {
    std::size_t explained = 0;
    for (const std::string& text : texts) {
        const CellReading reading = readCellIn(text, dialect);
        explained += reading.unread.empty() && !reading.classes.empty() ? 1 : 0;
    }
    return {dialect, explained, texts.size()};
}

std::vector<DialectScore> rankDialects(std::span<const std::string> texts) {
    const std::vector<Dialect>& candidates = candidateDialects();
    std::vector<Tally> tallies(candidates.size());
    FitCache fits;
    // Each distinct text is read once, counted as often as it stands. Its pieces are cut once
    // per separator; a cut that gives the same pieces as an earlier one (the separator does not
    // occur in the text) gives the same readings, which are not read again.
    std::unordered_map<std::string_view, std::size_t> counts;
    std::vector<std::string_view> distinct;
    for (const std::string& text : texts) {
        if (counts[text]++ == 0) {
            distinct.push_back(text);
        }
    }
    struct Cut {
        std::vector<CellPiece> pieces;
        std::vector<CellScore> byOrder; // by the order's place among the candidates of a cut
    };
    for (const std::string_view text : distinct) {
        const std::size_t times = counts[text];
        std::vector<Cut> cuts;
        std::size_t cutIndex = 0;
        std::size_t orderIndex = 0;
        for (std::size_t d = 0; d < candidates.size(); ++d) {
            const Dialect& dialect = candidates[d];
            if (dialect.knownForms) {
                tallies[d].add(scoreOf(readClassCell(text, dialect.blankLinesPart), fits), times);
                continue;
            }
            const bool firstOfCut = d == 0 || candidates[d - 1].knownForms ||
                                    candidates[d - 1].separator != dialect.separator ||
                                    candidates[d - 1].bracketGroups != dialect.bracketGroups;
            if (firstOfCut) {
                auto pieces = cutPieces(text, {dialect.separator, dialect.bracketGroups});
                const auto same = std::ranges::find_if(cuts, [&pieces](const Cut& earlier) {
                    return samePieces(earlier.pieces, pieces);
                });
                cutIndex = static_cast<std::size_t>(same - cuts.begin());
                if (same == cuts.end()) {
                    cuts.push_back({std::move(pieces), {}});
                }
                orderIndex = 0;
            }
            Cut& current = cuts[cutIndex];
            if (orderIndex == current.byOrder.size()) {
                current.byOrder.push_back(
                    scoreOf(current.pieces.size() > kMostPiecesSniffed
                                ? unexplained(text)
                                : readInOrder(current.pieces, dialect.order).reading,
                            fits));
            }
            tallies[d].add(current.byOrder[orderIndex], times);
            ++orderIndex;
        }
    }
    std::vector<std::size_t> ranked(candidates.size());
    std::iota(ranked.begin(), ranked.end(), std::size_t{0});
    std::ranges::stable_sort(ranked, [&tallies](std::size_t a, std::size_t b) {
        return isBetter(tallies[a], tallies[b]);
    });
    std::vector<DialectScore> scores;
    std::vector<std::size_t> seen;
    for (const std::size_t d : ranked) {
        if (std::ranges::find(seen, tallies[d].signature) != seen.end()) {
            continue;
        }
        seen.push_back(tallies[d].signature);
        scores.push_back({candidates[d], tallies[d].explained, texts.size()});
    }
    return scores;
}

} // namespace orvanto::imports
