#include "imports/entries/ClassGuess.h"

#include "imports/entries/CellPieces.h"

#include <array>
#include <string>
#include <vector>

namespace orvanto::imports {

namespace {

constexpr std::array kSeparators = {FieldSeparator::LineBreak, FieldSeparator::Semicolon,
                                    FieldSeparator::Bar,       FieldSeparator::Slash,
                                    FieldSeparator::Blanks,    FieldSeparator::Comma,
                                    FieldSeparator::Mark};

// Texts beyond these are left out of the assignment: a guess, not a search.
constexpr std::size_t kMaxTextPieces = 6;
// A piece below this fit is no field at all.
constexpr double kLeastFit = 0.2;

enum Slot : int { Course, Teacher, Room, kSlots };

struct Guess {
    ImportedClass entry;
    int filled = 0;
    double fit = 0;
};

double fitFor(const CellPiece& piece, int slot) {
    return slot == Course ? piece.courseFit : slot == Teacher ? piece.teacherFit : piece.roomFit;
}

// The best one-to-one assignment of text pieces to course, teacher and room: every piece to a
// field or to none, each field at most once, by the sum of fits.
std::array<int, kSlots> assignTexts(const std::vector<const CellPiece*>& texts, double& bestFit) {
    std::array<int, kSlots> best{-1, -1, -1};
    bestFit = -1;
    std::array<int, kSlots> current{-1, -1, -1};
    auto search = [&](auto&& self, std::size_t index, double fit) -> void {
        if (index == texts.size()) {
            // Every class has a course: a lone text is one before it is a name.
            if (current[Course] >= 0) {
                fit += 1;
            }
            if (fit > bestFit) {
                bestFit = fit;
                best = current;
            }
            return;
        }
        self(self, index + 1, fit);
        for (int slot = 0; slot < kSlots; ++slot) {
            const double pieceFit = fitFor(*texts[index], slot);
            if (current[static_cast<std::size_t>(slot)] < 0 && pieceFit >= kLeastFit) {
                current[static_cast<std::size_t>(slot)] = static_cast<int>(index);
                self(self, index + 1, fit + pieceFit);
                current[static_cast<std::size_t>(slot)] = -1;
            }
        }
    };
    search(search, 0, 0);
    return best;
}

Guess guessWith(std::string_view text, FieldSeparator separator) {
    Guess guess;
    ImportedClass& entry = guess.entry;
    std::vector<const CellPiece*> texts;
    const std::vector<CellPiece> pieces =
        cutPieces(text, {.separator = separator, .cutBeforeBrackets = true});
    for (const CellPiece& piece : pieces) {
        switch (piece.kind) {
        case PieceKind::Weeks:
            for (const WeeksSegment& segment : piece.weeks->segments) {
                entry.weeks |= segment.weeks;
                if (entry.room.empty()) {
                    entry.room = segment.room;
                }
                if (segment.periods && entry.periods.first == 0) {
                    entry.periods = *segment.periods;
                }
            }
            if (piece.weeks->teacher && entry.teacher.empty()) {
                entry.teacher = *piece.weeks->teacher;
            }
            if (piece.weeks->weekday && !entry.weekday) {
                entry.weekday = *piece.weeks->weekday;
            }
            break;
        case PieceKind::Periods:
            if (entry.periods.first == 0) {
                entry.periods = *piece.periods;
            }
            break;
        case PieceKind::Weekday:
            if (!entry.weekday) {
                entry.weekday = piece.weekday;
            }
            break;
        case PieceKind::Labelled: {
            std::string& field = *piece.label == LabelledField::Course    ? entry.course
                                 : *piece.label == LabelledField::Teacher ? entry.teacher
                                                                          : entry.room;
            if (field.empty()) {
                field = std::string(piece.value);
            }
            break;
        }
        case PieceKind::Text:
            if (texts.size() < kMaxTextPieces) {
                texts.push_back(&piece);
            }
            break;
        case PieceKind::Detail:
        case PieceKind::Empty:
        case PieceKind::Break:
            break;
        }
    }
    double fit = 0;
    const std::array<int, kSlots> chosen = assignTexts(texts, fit);
    std::array<std::string*, kSlots> fields{&entry.course, &entry.teacher, &entry.room};
    for (int slot = 0; slot < kSlots; ++slot) {
        const int index = chosen[static_cast<std::size_t>(slot)];
        std::string& field = *fields[static_cast<std::size_t>(slot)];
        if (index >= 0 && field.empty()) {
            field = std::string(texts[static_cast<std::size_t>(index)]->value);
        }
    }
    guess.fit = fit;
    guess.filled =
        static_cast<int>(!entry.course.empty()) + static_cast<int>(!entry.teacher.empty()) +
        static_cast<int>(!entry.room.empty()) + static_cast<int>(entry.weeks.any()) +
        static_cast<int>(entry.periods.first > 0) + static_cast<int>(entry.weekday.has_value());
    return guess;
}

} // namespace

ImportedClass guessClass(std::string_view text) {
    Guess best;
    bool first = true;
    for (const FieldSeparator separator : kSeparators) {
        Guess guess = guessWith(text, separator);
        if (first || guess.filled > best.filled ||
            (guess.filled == best.filled && guess.fit > best.fit)) {
            best = std::move(guess);
            first = false;
        }
    }
    return best.entry;
}

} // namespace orvanto::imports
