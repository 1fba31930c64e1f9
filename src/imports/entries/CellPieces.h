// A cell's text cut into the pieces one dialect sees, each classified by its content: weeks
// (with what the same piece names beside them), periods, a weekday, a labelled field, a known
// detail, an empty line, or a text that may be a course, a teacher or a room.
#pragma once

#include "imports/ImportedClass.h"
#include "imports/entries/Dialect.h"
#include "imports/entries/FieldVocabulary.h"
#include "imports/entries/WeeksLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

enum class PieceKind { Text, Weeks, Periods, Weekday, Labelled, Detail, Empty, Break };

struct CellPiece {
    PieceKind kind = PieceKind::Text;
    std::string_view text{};               // as written, trimmed
    std::string_view value{};              // Text: without an enclosing bracket pair
    std::optional<WeeksLine> weeks{};      // Weeks
    std::optional<SmallPeriods> periods{}; // Periods
    std::optional<int> weekday{};          // Weekday
    std::optional<LabelledField> label{};  // Labelled: the field; value holds its text
    // How well the piece reads as each text field, 0..1 (Text and Labelled pieces).
    double courseFit = 0;
    double teacherFit = 0;
    double roomFit = 0;
};

struct CutOptions {
    FieldSeparator separator = FieldSeparator::LineBreak;
    // A blank before a bracketed group at the end of a piece parts it: "教学设计 (王怀波)".
    bool cutBeforeBrackets = false;
};

// The pieces of the text in order. A line of dashes becomes a Break; an empty line an Empty.
// Nothing is dropped: every byte but separators and blanks stands in some piece.
std::vector<CellPiece> cutPieces(std::string_view text, CutOptions options);

} // namespace orvanto::imports
