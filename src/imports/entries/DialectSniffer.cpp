#include "imports/entries/DialectSniffer.h"

#include "imports/entries/CellPieces.h"
#include "imports/entries/FieldFit.h"
#include "imports/entries/OrderedFields.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

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
                                 FieldSeparator::Bar,       FieldSeparator::Slash};

std::vector<std::vector<EntryField>> fieldOrders() {
    std::vector<EntryField> order{EntryField::Course, EntryField::Teacher, EntryField::Weeks,
                                  EntryField::Room};
    std::vector<std::vector<EntryField>> orders;
    do {
        orders.push_back(order);
    } while (std::next_permutation(order.begin(), order.end()));
    return orders;
}

// How well a cell's classes fit their fields, by the same measure whichever dialect read them:
// the mean over its classes; an empty teacher or room is neither evidence for nor against.
double fitOfClasses(const CellReading& reading) {
    if (reading.classes.empty()) {
        return 0;
    }
    double sum = 0;
    for (const CellClass& entry : reading.classes) {
        sum += courseFitOf(entry.course);
        sum += entry.teacher.empty() ? 0.5 : teacherFitOf(entry.teacher);
        sum += entry.room.empty() ? 0.5 : roomFitOf(entry.room);
    }
    return sum / static_cast<double>(reading.classes.size());
}

std::size_t signatureOf(const CellReading& reading) {
    std::size_t signature = reading.unread.size();
    const auto mix = [&signature](std::size_t value) {
        signature ^= value + 0x9e3779b97f4a7c15ULL + (signature << 6) + (signature >> 2);
    };
    const std::hash<std::string> text;
    for (const CellClass& entry : reading.classes) {
        mix(text(entry.course));
        mix(text(entry.teacher));
        mix(text(entry.room));
        mix(std::hash<WeekSet>{}(entry.weeks));
        mix(entry.periods
                ? static_cast<std::size_t>(entry.periods->first * 100 + entry.periods->last)
                : 0);
        mix(static_cast<std::size_t>(entry.weekday.value_or(0)));
    }
    return signature;
}

struct Tally {
    std::size_t explained = 0;
    double fit = 0;
    std::size_t signature = 0;

    void add(const CellReading& reading) {
        if (reading.unread.empty() && !reading.classes.empty()) {
            ++explained;
        }
        fit += fitOfClasses(reading) - kOptionCost * static_cast<double>(reading.options);
        signature = signature * 1000003 ^ signatureOf(reading);
    }
};

bool isBetter(const Tally& a, const Tally& b) {
    if (a.explained != b.explained) {
        return a.explained > b.explained;
    }
    return a.fit > b.fit + 1e-9;
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
        return {{}, {std::string(text)}, {}, 0};
    }
    return readInOrder(pieces, dialect.order).reading;
}

DialectScore scoreDialect(std::span<const std::string> texts, const Dialect& dialect) {
    Tally tally;
    for (const std::string& text : texts) {
        tally.add(readCellIn(text, dialect));
    }
    return {dialect, tally.explained, texts.size()};
}

std::vector<DialectScore> rankDialects(std::span<const std::string> texts) {
    const std::vector<Dialect>& candidates = candidateDialects();
    std::vector<Tally> tallies(candidates.size());
    // Pieces are cut once per separator and read under every order of the fields.
    for (const std::string& text : texts) {
        std::vector<CellPiece> pieces;
        std::pair<FieldSeparator, bool> cut{FieldSeparator::LineBreak, false};
        bool hasCut = false;
        for (std::size_t d = 0; d < candidates.size(); ++d) {
            const Dialect& dialect = candidates[d];
            if (dialect.knownForms) {
                tallies[d].add(readClassCell(text, dialect.blankLinesPart));
                continue;
            }
            if (!hasCut || cut != std::pair{dialect.separator, dialect.bracketGroups}) {
                cut = {dialect.separator, dialect.bracketGroups};
                pieces = cutPieces(text, {dialect.separator, dialect.bracketGroups});
                hasCut = true;
            }
            tallies[d].add(pieces.size() > kMostPiecesSniffed
                               ? CellReading{{}, {std::string(text)}, {}, 0}
                               : readInOrder(pieces, dialect.order).reading);
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
