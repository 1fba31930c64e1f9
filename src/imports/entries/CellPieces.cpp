#include "imports/entries/CellPieces.h"

#include "imports/entries/CellLines.h"
#include "imports/entries/FieldFit.h"
#include "imports/entries/ImportText.h"
#include "imports/entries/LineText.h"
#include "imports/entries/PeriodText.h"

#include <algorithm>
#include <iterator>

namespace orvanto::imports {

namespace {

bool isOpening(char32_t c) {
    return c == U'(' || c == U'[' || c == U'【' || c == U'{';
}

bool isClosing(char32_t c) {
    return c == U')' || c == U']' || c == U'】' || c == U'}';
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The drawn marks some systems part a class's fields with; no course, name or room holds one
// between words (a leading ★ marking a course leaves an empty segment, which is dropped).
bool isFieldMark(char32_t c) {
    static constexpr std::u32string_view kMarks = U"◇◆●○★☆■□•";
    return kMarks.find(c) != std::u32string_view::npos;
}

// Where a separator of the dialect starts at code point i, and how many code points it takes;
// 0 when none does. Separators inside brackets part nothing.
std::size_t separatorLengthAt(const LineText& line, std::size_t i, FieldSeparator separator) {
    const char32_t c = line.at(i);
    switch (separator) {
    case FieldSeparator::LineBreak:
        return 0;
    case FieldSeparator::Semicolon:
        return c == U';' ? 1 : 0;
    case FieldSeparator::Bar:
        return c == U'|' || c == U'丨' ? 1 : 0; // 丨, the ideograph some systems draw bars with
    case FieldSeparator::Slash:
        return c == U'/' ? 1 : 0;
    case FieldSeparator::Mark:
        return isFieldMark(c) ? 1 : 0;
    case FieldSeparator::Comma: {
        if (c != U',' && c != U'、') {
            return 0;
        }
        // "1-3,5-16周" is one week text, not two fields.
        const bool weeksBefore = i > 0 && (isDigit(line.at(i - 1)) || line.at(i - 1) == U'周');
        const bool weeksAfter = i + 1 < line.size() && isDigit(line.at(i + 1));
        return weeksBefore && weeksAfter ? 0 : 1;
    }
    case FieldSeparator::Blank: {
        std::size_t end = i;
        while (end < line.size() && isBlank(line.at(end))) {
            ++end;
        }
        return end - i;
    }
    case FieldSeparator::Blanks: {
        std::size_t end = i;
        bool wide = false;
        while (end < line.size() && isBlank(line.at(end))) {
            wide = wide || line.at(end) == 0x3000;
            ++end;
        }
        return end - i >= 2 || (wide && end > i) ? end - i : 0;
    }
    }
    return 0;
}

// The line's segments between the dialect's separators, trimmed, empty ones left out.
std::vector<std::string_view> segmentsOf(std::string_view text, FieldSeparator separator) {
    if (separator == FieldSeparator::LineBreak) {
        return {text};
    }
    const LineText line(text);
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    int depth = 0;
    for (std::size_t i = 0; i < line.size();) {
        const char32_t c = line.at(i);
        if (isOpening(c)) {
            ++depth;
        } else if (isClosing(c) && depth > 0) {
            --depth;
        }
        const std::size_t length = depth == 0 ? separatorLengthAt(line, i, separator) : 0;
        if (length == 0) {
            ++i;
            continue;
        }
        segments.push_back(trimBlanks(line.slice(start, i)));
        i += length;
        start = i;
    }
    segments.push_back(trimBlanks(line.slice(start, line.size())));
    std::erase_if(segments, [](std::string_view segment) { return segment.empty(); });
    return segments;
}

// The code point index of the bracket that closes the one opening at `open`, or size().
std::size_t matchingClose(const LineText& line, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < line.size(); ++i) {
        depth += isOpening(line.at(i)) ? 1 : isClosing(line.at(i)) ? -1 : 0;
        if (depth == 0) {
            return i;
        }
    }
    return line.size();
}

// "教学设计(3103222.01) (王怀波)" → "教学设计(3103222.01)", "(王怀波)"; "(1-16) A101" → "(1-16)",
// "A101": a bracketed group set off by a blank at either end of the segment is a piece of its
// own.
void cutAtBracketGroups(std::string_view segment, std::vector<std::string_view>& out) {
    const LineText line(segment);
    const std::size_t size = line.size();
    if (size >= 3 && isOpening(line.at(0))) {
        const std::size_t close = matchingClose(line, 0);
        if (close + 1 < size && isBlank(line.at(close + 1))) {
            out.push_back(line.slice(0, close + 1));
            cutAtBracketGroups(trimBlanks(line.slice(close + 1, size)), out);
            return;
        }
    }
    if (size >= 3 && isClosing(line.at(size - 1))) {
        int depth = 0;
        for (std::size_t i = size; i-- > 0;) {
            depth += isClosing(line.at(i)) ? 1 : isOpening(line.at(i)) ? -1 : 0;
            if (depth != 0) {
                continue;
            }
            if (i > 0 && isBlank(line.at(i - 1))) {
                out.push_back(trimBlanks(line.slice(0, i)));
                out.push_back(line.slice(i, size));
                return;
            }
            break;
        }
    }
    out.push_back(segment);
}

// The text inside an enclosing bracket pair: "(王怀波)" → "王怀波"; as is otherwise.
std::string_view unbracketed(std::string_view text) {
    const LineText line(text);
    if (line.size() >= 2 && isOpening(line.at(0)) && matchingClose(line, 0) == line.size() - 1) {
        return trimBlanks(line.slice(1, line.size() - 1));
    }
    return text;
}

bool isShortWeekdayName(std::string_view text) {
    return text.size() <= 12 && readWeekdayName(text).has_value() &&
           (text.find("周") != std::string_view::npos ||
            text.find("星期") != std::string_view::npos);
}

CellPiece textPiece(std::string_view text, std::string_view value) {
    CellPiece piece;
    piece.text = text;
    piece.value = value;
    piece.courseFit = courseFitOf(value);
    piece.teacherFit = teacherFitOf(value);
    piece.roomFit = roomFitOf(value);
    return piece;
}

CellPiece classify(std::string_view text) {
    CellPiece piece;
    piece.text = text;
    piece.value = text;
    if (isDetailLine(text)) {
        piece.kind = PieceKind::Detail;
        return piece;
    }
    if (const auto labelled = readLabelledText(text)) {
        switch (labelled->field) {
        case LabelledField::Course:
        case LabelledField::Teacher:
        case LabelledField::Room:
            piece = textPiece(text, labelled->value);
            piece.kind = PieceKind::Labelled;
            piece.label = labelled->field;
            return piece;
        case LabelledField::Campus:
        case LabelledField::Detail:
            piece.kind = PieceKind::Detail;
            return piece;
        case LabelledField::Periods:
            // "节次:3-4节" as "3-4节"
            if (const auto periods = periodsLine(labelled->value)) {
                piece.kind = PieceKind::Periods;
                piece.periods = periods;
                return piece;
            }
            break;
        case LabelledField::Weeks:
        case LabelledField::Weekday:
            break; // read by their content below
        }
    }
    if (const auto periods = periodsLine(unbracketed(text))) {
        piece.kind = PieceKind::Periods;
        piece.periods = periods;
        return piece;
    }
    if (isShortWeekdayName(text)) {
        piece.kind = PieceKind::Weekday;
        piece.weekday = readWeekdayName(text);
        return piece;
    }
    if (auto weeks = readWeeksLine(text)) {
        piece.kind = PieceKind::Weeks;
        piece.weeks = std::move(weeks);
        return piece;
    }
    // "[1-16]" or "(1-16)" alone: weeks in brackets without 周.
    if (const std::string_view inside = unbracketed(text); inside != text) {
        if (auto weeks = readWeeksLine(inside)) {
            piece.kind = PieceKind::Weeks;
            piece.weeks = std::move(weeks);
            return piece;
        }
    }
    return textPiece(text, unbracketed(text));
}

} // namespace

std::vector<CellPiece> cutPieces(std::string_view text, CutOptions options) {
    std::vector<CellPiece> pieces;
    for (const std::string_view line : linesOf(text)) {
        if (line.empty()) {
            pieces.push_back({.kind = PieceKind::Empty});
            continue;
        }
        if (isDashLine(line)) {
            pieces.push_back({.kind = PieceKind::Break, .text = line});
            continue;
        }
        if (isDetailLine(line)) {
            pieces.push_back({.kind = PieceKind::Detail, .text = line, .value = line});
            continue;
        }
        std::vector<std::string_view> pairs;
        for (const std::string_view segment : segmentsOf(line, options.separator)) {
            std::ranges::copy(splitAtLabels(segment), std::back_inserter(pairs));
        }
        std::vector<std::string_view> segments;
        for (const std::string_view segment : pairs) {
            if (options.cutBeforeBrackets) {
                cutAtBracketGroups(segment, segments);
            } else {
                segments.push_back(segment);
            }
        }
        for (const std::string_view segment : segments) {
            pieces.push_back(classify(segment));
        }
    }
    return pieces;
}

} // namespace orvanto::imports
