#include "FormulaDecompiler.h"

#include "BiffFunctionTable.h"
#include "BiffRecordCursor.h"
#include "XlsErrorCodes.h"
#include "core/Utf8.h"
#include "spreadsheet/CellAddress.h"
#include "spreadsheet/ReadLimits.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace orvanto::spreadsheet {

namespace {

constexpr std::uint8_t kExp = 0x01;
constexpr std::size_t kExpSize = 5; // token, row, column
constexpr std::uint16_t kRowRelative = 0x8000;
constexpr std::uint16_t kColumnRelative = 0x4000;
constexpr unsigned kColumns = 256;
constexpr std::uint16_t kDeletedSheet = 0xFFFF;
constexpr std::uint16_t kWholeBook = 0xFFFE;
// Newer functions and dynamic-array ones are stored under these prefixes; Excel shows the
// plain name.
constexpr std::array<std::string_view, 2> kFunctionPrefixes = {"_xlfn.", "_xlws."};

constexpr std::array<std::string_view, 12> kBinaryOperators = {"+", "-",  "*", "/",  "^", "&",
                                                               "<", "<=", "=", ">=", ">", "<>"};

// BIFF numbers columns from 0.
std::string columnName(unsigned column) {
    return columnLetters(static_cast<int>(column) + 1);
}

std::string numberText(double value) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.15G", value);
    return buffer.data();
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string withoutFunctionPrefix(std::string name) {
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (std::string_view prefix : kFunctionPrefixes) {
            if (name.starts_with(prefix)) {
                name.erase(0, prefix.size());
                stripped = true;
            }
        }
    }
    return name;
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when a sheet name reads as a cell reference ("A1", "XFD3", "R1C1", "R", "C2"), which
// Excel quotes.
bool looksLikeReference(std::string_view name) {
    std::size_t letters = 0;
    while (letters < name.size() && isAsciiLetter(name[letters])) {
        ++letters;
    }
    if (letters >= 1 && letters <= 3 && letters < name.size()) {
        bool digits = true;
        for (std::size_t i = letters; i < name.size(); ++i) {
            digits = digits && isAsciiDigit(name[i]);
        }
        if (digits) {
            return true;
        }
    }
    std::size_t i = 0;
    auto numberAfter = [&](char letter) {
        if (i < name.size() && (name[i] == letter || name[i] == letter + ('a' - 'A'))) {
            ++i;
            while (i < name.size() && isAsciiDigit(name[i])) {
                ++i;
            }
            return true;
        }
        return false;
    };
    const bool row = numberAfter('R');
    const bool column = numberAfter('C');
    return (row || column) && i == name.size();
}

// Punctuation of the CJK and full-width blocks, which Excel quotes like ASCII punctuation.
bool isWidePunctuation(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
           (c >= 0xFF5B && c <= 0xFF65);
}

// Excel writes a sheet name bare when it is letters, digits, '_' and '.' only, does not
// start with a digit and does not read as a reference; otherwise in single quotes.
bool needsQuotes(std::string_view name) {
    if (name.empty() || isAsciiDigit(name[0]) || looksLikeReference(name)) {
        return true;
    }
    for (std::size_t i = 0; i < name.size();) {
        const char32_t c = core::decodeUtf8(name, i);
        if (c < 0x80) {
            const char ascii = static_cast<char>(c);
            if (!isAsciiLetter(ascii) && !isAsciiDigit(ascii) && ascii != '_' && ascii != '.') {
                return true;
            }
        } else if (isWidePunctuation(c)) {
            return true;
        }
    }
    return false;
}

// "Sheet1!", "'my sheet'!", "Sheet1:Sheet3!", "'C:\dir\[book.xls]Sheet1'!"; book is an
// external file's "path[file]" part, empty for this workbook.
std::string sheetPrefix(std::string_view book, std::string_view first, std::string_view last) {
    std::string name = std::string(first);
    if (last != first) {
        name += ":";
        name += last;
    }
    const bool quote = needsQuotes(first) || needsQuotes(last) ||
                       (!book.empty() && book.find_first_of(":\\ ") != std::string_view::npos);
    if (!quote) {
        return std::string(book) + name + "!";
    }
    std::string out = "'";
    for (char c : std::string(book) + name) {
        out += c == '\'' ? "''" : std::string(1, c);
    }
    return out + "'!";
}

// Reads tokens front to back, keeping the operands on a stack as the tokens are postfix.
// One handler per token class; each returns false for tokens it cannot spell out.
class Decompilation {
  public:
    Decompilation(std::span<const std::uint8_t> tokens, std::span<const std::uint8_t> extra,
                  XlsCellPosition cell, bool biff8, const BiffTextDecoder& text,
                  const XlsLinkTable& links)
        : m_tokens(tokens), m_extra(extra), m_cell(cell), m_biff8(biff8), m_text(text),
          m_links(links) {}

    std::optional<std::string> run() {
        while (m_pos < m_tokens.size()) {
            const std::uint8_t token = m_tokens[m_pos++];
            const std::size_t slot = token < 0x20 ? token : 0x20 | (token & 0x1F);
            if (token >= 0x80 || !(this->*kHandlers[slot])(token)) {
                return std::nullopt;
            }
        }
        if (m_stack.size() != 1) {
            return std::nullopt;
        }
        return "=" + m_stack.back();
    }

  private:
    using Handler = bool (Decompilation::*)(std::uint8_t token);
    static const std::array<Handler, 0x40> kHandlers;

    bool has(std::size_t count) const { return m_tokens.size() - m_pos >= count; }
    bool hasExtra(std::size_t count) const { return m_extra.size() - m_extraPos >= count; }
    unsigned lastRow() const { return m_biff8 ? 0xFFFF : 0x3FFF; }

    bool push(std::string operand) {
        operand.insert(0, m_spaces);
        m_spaces.clear();
        m_stackBytes += operand.size();
        if (m_stackBytes > limits::kFormulaTextBytes) {
            return false; // longer than any formula Excel keeps
        }
        m_stack.push_back(std::move(operand));
        return true;
    }

    bool pop(std::string& operand) {
        if (m_stack.empty()) {
            return false;
        }
        operand = std::move(m_stack.back());
        m_stack.pop_back();
        m_stackBytes -= operand.size();
        return true;
    }

    bool call(std::string_view name, std::size_t count) {
        if (m_stack.size() < count) {
            return false;
        }
        std::string text = std::string(name) + m_openSpaces + "(";
        for (std::size_t i = m_stack.size() - count; i < m_stack.size(); ++i) {
            text += i + count == m_stack.size() ? "" : ",";
            text += m_stack[i];
        }
        std::string ignored;
        for (std::size_t i = 0; i < count; ++i) {
            (void)pop(ignored);
        }
        text += m_closeSpaces + ")";
        m_openSpaces.clear();
        m_closeSpaces.clear();
        return push(std::move(text));
    }

    // --- operators ---

    bool binaryOperator(std::uint8_t token) { return binary(kBinaryOperators[token - 0x03]); }
    bool intersection(std::uint8_t) { return binary(" "); }
    bool unionOperator(std::uint8_t) { return binary(","); }
    bool rangeOperator(std::uint8_t) { return binary(":"); }

    bool binary(std::string_view op) {
        std::string right;
        std::string left;
        if (!pop(right) || !pop(left)) {
            return false;
        }
        // Appended in place: a long chain of operators grows one string, not a copy per step.
        left += m_spaces;
        m_spaces.clear();
        left += op;
        left += right;
        return push(std::move(left));
    }

    bool unary(std::uint8_t token) {
        std::string operand;
        if (!pop(operand)) {
            return false;
        }
        const std::string_view op = token == 0x12 ? "+" : token == 0x13 ? "-" : "%";
        return push(token == 0x14 ? operand + std::string(op) : std::string(op) + operand);
    }

    bool parentheses(std::uint8_t) {
        std::string operand;
        if (!pop(operand)) {
            return false;
        }
        std::string text = m_openSpaces + "(" + operand + m_closeSpaces + ")";
        m_openSpaces.clear();
        m_closeSpaces.clear();
        return push(std::move(text));
    }

    // --- constants ---

    bool missingArgument(std::uint8_t) { return push(""); }

    bool stringConstant(std::uint8_t) {
        if (!has(1)) {
            return false;
        }
        const std::size_t count = m_tokens[m_pos++];
        std::size_t end = 0;
        auto text = m_text.readCharacters(m_tokens, m_pos, count, m_biff8, &end);
        if (!text) {
            return false;
        }
        m_pos = end;
        return push(quoted(*text));
    }

    bool errorConstant(std::uint8_t) {
        return has(1) && push(std::string(xlsErrorText(m_tokens[m_pos++])));
    }

    bool boolConstant(std::uint8_t) {
        return has(1) && push(m_tokens[m_pos++] != 0 ? "TRUE" : "FALSE");
    }

    bool intConstant(std::uint8_t) {
        if (!has(2)) {
            return false;
        }
        m_pos += 2;
        return push(std::to_string(readU16(m_tokens, m_pos - 2)));
    }

    bool numberConstant(std::uint8_t) {
        if (!has(8)) {
            return false;
        }
        m_pos += 8;
        return push(numberText(readF64(m_tokens, m_pos - 8)));
    }

    // An array constant: its values come from the data after the tokens.
    bool arrayConstant(std::uint8_t) {
        if (!has(7) || !hasExtra(3)) {
            return false;
        }
        m_pos += 7;
        const std::size_t columns = m_extra[m_extraPos] + 1u;
        const std::size_t rows = readU16(m_extra, m_extraPos + 1) + 1u;
        m_extraPos += 3;
        std::string text = "{";
        for (std::size_t row = 0; row < rows; ++row) {
            for (std::size_t column = 0; column < columns; ++column) {
                std::string value;
                if (!arrayValue(value)) {
                    return false;
                }
                text += column > 0 ? "," : row > 0 ? ";" : "";
                text += value;
                if (text.size() > limits::kFormulaTextBytes) {
                    return false;
                }
            }
        }
        return push(text + "}");
    }

    bool arrayValue(std::string& value) {
        if (!hasExtra(1)) {
            return false;
        }
        const std::uint8_t type = m_extra[m_extraPos++];
        if (type == 0x02) {
            const std::size_t header = m_biff8 ? 2 : 1;
            if (!hasExtra(header)) {
                return false;
            }
            const std::size_t count = m_biff8 ? readU16(m_extra, m_extraPos) : m_extra[m_extraPos];
            std::size_t end = 0;
            auto text = m_text.readCharacters(m_extra, m_extraPos + header, count, m_biff8, &end);
            if (!text) {
                return false;
            }
            m_extraPos = end;
            value = quoted(*text);
            return true;
        }
        if (!hasExtra(8)) {
            return false;
        }
        const std::size_t at = m_extraPos;
        m_extraPos += 8;
        switch (type) {
        case 0x00:
            return true;
        case 0x01:
            value = numberText(readF64(m_extra, at));
            return true;
        case 0x04:
            value = m_extra[at] != 0 ? "TRUE" : "FALSE";
            return true;
        case 0x10:
            value = xlsErrorText(m_extra[at]);
            return true;
        default:
            return false;
        }
    }

    // --- control tokens ---

    bool attribute(std::uint8_t) {
        if (!has(3)) {
            return false;
        }
        const std::uint8_t kind = m_tokens[m_pos];
        const std::uint16_t data = readU16(m_tokens, m_pos + 1);
        m_pos += 3;
        switch (kind) {
        case 0x01: // volatile
        case 0x02: // IF jump
        case 0x08: // goto
        case 0x20: // assignment in a macro sheet
            return true;
        case 0x04: { // CHOOSE jump table
            const std::size_t table = (static_cast<std::size_t>(data) + 1) * 2;
            if (!has(table)) {
                return false;
            }
            m_pos += table;
            return true;
        }
        case 0x10: // SUM of one argument
            return call("SUM", 1);
        case 0x40: // white space the user typed
        case 0x41: // the same in a volatile formula
            return spaces(static_cast<std::uint8_t>(data & 0xFF), data >> 8);
        default:
            return false;
        }
    }

    bool spaces(std::uint8_t type, std::size_t count) {
        const char c = type % 2 == 0 ? ' ' : '\n';
        switch (type) {
        case 0: // before the next token
        case 1:
            m_spaces.append(count, c);
            return true;
        case 2: // before an opening parenthesis
        case 3:
            m_openSpaces.append(count, c);
            return true;
        case 4: // before a closing parenthesis
        case 5:
            m_closeSpaces.append(count, c);
            return true;
        case 6: // after the leading '='
            m_spaces.append(count, ' ');
            return true;
        default:
            return false;
        }
    }

    // tMemArea and friends: the sub-expression they guard follows as ordinary tokens.
    bool memoryArea(std::uint8_t token) {
        if (!has(6)) {
            return false;
        }
        m_pos += 6;
        if ((token & 0x1F) != 0x06) {
            return true;
        }
        // tMemArea keeps its precomputed areas after the tokens, ahead of later constants.
        if (!hasExtra(2)) {
            return false;
        }
        const std::size_t areas = readU16(m_extra, m_extraPos);
        const std::size_t size = 2 + areas * (m_biff8 ? 8 : 6);
        if (!hasExtra(size)) {
            return false;
        }
        m_extraPos += size;
        return true;
    }

    bool memoryFunction(std::uint8_t) {
        if (!has(2)) {
            return false;
        }
        m_pos += 2;
        return true;
    }

    bool unknownToken(std::uint8_t) { return false; }

    // --- functions and names ---

    bool function(std::uint8_t) {
        if (!has(2)) {
            return false;
        }
        const BiffFunction* f = findBiffFunction(readU16(m_tokens, m_pos));
        m_pos += 2;
        return f != nullptr && f->arguments != kVariableArguments &&
               call(f->name, static_cast<std::size_t>(f->arguments));
    }

    bool functionWithCount(std::uint8_t) {
        if (!has(3)) {
            return false;
        }
        const std::size_t count = m_tokens[m_pos] & 0x7F;
        const std::uint16_t index = readU16(m_tokens, m_pos + 1);
        m_pos += 3;
        if ((index & 0x8000) != 0) {
            return false; // a macro command, never in a worksheet formula
        }
        if (index == kFunctionByName) {
            // The name (an add-in, a macro, a newer function) is the first operand.
            if (count == 0 || m_stack.size() < count) {
                return false;
            }
            const std::size_t at = m_stack.size() - count;
            const std::string name = withoutFunctionPrefix(m_stack[at]);
            m_stackBytes -= m_stack[at].size();
            m_stack.erase(m_stack.begin() + static_cast<std::ptrdiff_t>(at));
            return call(name, count - 1);
        }
        const BiffFunction* f = findBiffFunction(index);
        return f != nullptr && call(f->name, count);
    }

    bool definedName(std::uint8_t) {
        const std::size_t size = m_biff8 ? 4 : 14;
        if (!has(size)) {
            return false;
        }
        const std::uint16_t index = readU16(m_tokens, m_pos);
        m_pos += size;
        return workbookName(index);
    }

    bool workbookName(std::uint16_t index) {
        if (index == 0 || index > m_links.names.size() || m_links.names[index - 1].empty()) {
            return false;
        }
        return push(m_links.names[index - 1]);
    }

    bool externalName(std::uint8_t) {
        const std::size_t size = m_biff8 ? 6 : 24;
        if (!has(size)) {
            return false;
        }
        const auto at = m_tokens.subspan(m_pos);
        m_pos += size;
        const XlsLinkTable::Book* book = nullptr;
        std::uint16_t index = 0;
        if (m_biff8) {
            const std::uint16_t range = readU16(at, 0);
            if (range >= m_links.sheetRanges.size()) {
                return false;
            }
            book = bookAt(m_links.sheetRanges[range].book);
            index = readU16(at, 2);
        } else {
            book = biff5Book(static_cast<std::int16_t>(readU16(at, 0)));
            index = readU16(at, 10);
        }
        if (book == nullptr) {
            return false;
        }
        if (book->kind == XlsLinkTable::Book::Kind::Self) {
            return workbookName(index);
        }
        if (index == 0 || index > book->names.size() || book->names[index - 1].empty()) {
            return false;
        }
        const std::string& name = book->names[index - 1];
        if (book->kind == XlsLinkTable::Book::Kind::AddIn) {
            return push(name);
        }
        return push(sheetPrefix(book->file, "", "") + name);
    }

    const XlsLinkTable::Book* bookAt(std::size_t index) const {
        return index < m_links.books.size() ? &m_links.books[index] : nullptr;
    }

    const XlsLinkTable::Book* biff5Book(std::int16_t index) const {
        const int magnitude = index < 0 ? -index : index;
        return magnitude == 0 ? nullptr : bookAt(static_cast<std::size_t>(magnitude - 1));
    }

    // --- references ---

    // Appended piece by piece: GCC 12 warns (-Wrestrict, falsely) on "literal" + temporary.
    static std::string fixedMark(bool relative) { return relative ? "" : "$"; }

    std::string cell(unsigned row, unsigned column, bool rowRelative, bool columnRelative) const {
        std::string text = fixedMark(columnRelative);
        text += columnName(column);
        text += fixedMark(rowRelative);
        text += std::to_string(row + 1);
        return text;
    }

    struct Corner {
        unsigned row = 0;
        unsigned column = 0;
        bool rowRelative = false;
        bool columnRelative = false;
    };

    // One corner at at: BIFF8 row word then column word holding the flags, BIFF5 row word
    // holding the flags then column byte. Offsets of a shared formula resolve against the
    // cell, wrapping as Excel does.
    Corner corner(std::span<const std::uint8_t> at, std::size_t rowAt, std::size_t columnAt,
                  bool offsets) const {
        Corner c;
        std::uint16_t flags = 0;
        if (m_biff8) {
            c.row = readU16(at, rowAt);
            flags = readU16(at, columnAt);
            c.column = flags & 0x3FFF;
        } else {
            flags = readU16(at, rowAt);
            c.row = flags & 0x3FFF;
            c.column = at[columnAt];
        }
        c.rowRelative = (flags & kRowRelative) != 0;
        c.columnRelative = (flags & kColumnRelative) != 0;
        if (offsets && c.rowRelative) {
            const int offset = m_biff8 ? static_cast<std::int16_t>(c.row)
                                       : ((static_cast<int>(c.row) ^ 0x2000) - 0x2000);
            c.row = static_cast<unsigned>(m_cell.row + offset) & lastRow();
        }
        if (offsets && c.columnRelative) {
            const int offset = static_cast<std::int8_t>(c.column & 0xFF);
            c.column = static_cast<unsigned>(m_cell.column + offset) % kColumns;
        }
        return c;
    }

    std::string spell(const Corner& c) const {
        return cell(c.row, c.column, c.rowRelative, c.columnRelative);
    }

    std::string spellArea(const Corner& first, const Corner& last) const {
        std::string text;
        if (first.row == 0 && last.row == lastRow()) { // whole columns: A:B
            text = fixedMark(first.columnRelative);
            text += columnName(first.column);
            text += ":";
            text += fixedMark(last.columnRelative);
            text += columnName(last.column);
            return text;
        }
        if (first.column == 0 && last.column == kColumns - 1) { // whole rows: 1:3
            text = fixedMark(first.rowRelative);
            text += std::to_string(first.row + 1);
            text += ":";
            text += fixedMark(last.rowRelative);
            text += std::to_string(last.row + 1);
            return text;
        }
        return spell(first) + ":" + spell(last);
    }

    std::size_t referenceSize(bool area) const { return m_biff8 ? (area ? 8 : 4) : (area ? 6 : 3); }

    // The reference or area at at, its corners laid out as the format lays them out.
    std::string referenceText(std::span<const std::uint8_t> at, bool area, bool offsets) const {
        if (!area) {
            return spell(corner(at, 0, 2, offsets));
        }
        if (m_biff8) {
            return spellArea(corner(at, 0, 4, offsets), corner(at, 2, 6, offsets));
        }
        return spellArea(corner(at, 0, 4, offsets), corner(at, 2, 5, offsets));
    }

    bool reference(std::uint8_t token) {
        const std::uint8_t base = token & 0x1F;
        const bool area = base == 0x05 || base == 0x0B || base == 0x0D;
        const std::size_t size = referenceSize(area);
        if (!has(size)) {
            return false;
        }
        const auto at = m_tokens.subspan(m_pos, size);
        m_pos += size;
        if (base == 0x0A || base == 0x0B) {
            return push("#REF!"); // to deleted cells
        }
        return push(referenceText(at, area, base == 0x0C || base == 0x0D));
    }

    bool reference3d(std::uint8_t token) {
        const std::uint8_t base = token & 0x1F;
        const bool isArea = base == 0x1B || base == 0x1D;
        const std::size_t header = m_biff8 ? 2 : 14;
        const std::size_t size = header + referenceSize(isArea);
        if (!has(size)) {
            return false;
        }
        const auto at = m_tokens.subspan(m_pos, size);
        m_pos += size;
        std::string prefix;
        if (!sheetsOf(at, prefix)) {
            return false;
        }
        if (base == 0x1C || base == 0x1D) {
            return push(prefix + "#REF!");
        }
        return push(prefix + referenceText(at.subspan(header), isArea, false));
    }

    // The "Sheet!" part of a 3-D reference; "#REF!" for a deleted sheet.
    bool sheetsOf(std::span<const std::uint8_t> at, std::string& prefix) const {
        if (!m_biff8) {
            return biff5SheetsOf(at, prefix);
        }
        const std::uint16_t index = readU16(at, 0);
        if (index >= m_links.sheetRanges.size()) {
            return false;
        }
        const XlsLinkTable::SheetRange& range = m_links.sheetRanges[index];
        const XlsLinkTable::Book* book = bookAt(range.book);
        if (book == nullptr || book->kind == XlsLinkTable::Book::Kind::AddIn) {
            return false;
        }
        if (range.first == kDeletedSheet || range.last == kDeletedSheet) {
            prefix = "#REF!";
            return true;
        }
        const bool self = book->kind == XlsLinkTable::Book::Kind::Self;
        const std::vector<std::string>& sheets = self ? m_links.sheets : book->sheets;
        if (range.first == kWholeBook) {
            prefix = self ? "" : sheetPrefix(book->file, "", "");
            return true;
        }
        if (range.first >= sheets.size() || range.last >= sheets.size()) {
            return false;
        }
        prefix = sheetPrefix(self ? "" : book->file, sheets[range.first], sheets[range.last]);
        return true;
    }

    bool biff5SheetsOf(std::span<const std::uint8_t> at, std::string& prefix) const {
        const auto book = static_cast<std::int16_t>(readU16(at, 0));
        const std::uint16_t first = readU16(at, 10);
        const std::uint16_t last = readU16(at, 12);
        if (first == kDeletedSheet || last == kDeletedSheet) {
            prefix = "#REF!";
            return true;
        }
        if (book < 0 && first < m_links.sheets.size() && last < m_links.sheets.size()) {
            prefix = sheetPrefix("", m_links.sheets[first], m_links.sheets[last]);
            return true;
        }
        const XlsLinkTable::Book* external = biff5Book(book);
        if (external == nullptr || external->kind == XlsLinkTable::Book::Kind::AddIn) {
            return false;
        }
        const std::string sheet = external->sheets.empty() ? "" : external->sheets.front();
        prefix = sheetPrefix(external->file, sheet, sheet);
        return true;
    }

    std::span<const std::uint8_t> m_tokens;
    std::span<const std::uint8_t> m_extra;
    XlsCellPosition m_cell;
    bool m_biff8;
    const BiffTextDecoder& m_text;
    const XlsLinkTable& m_links;
    std::size_t m_pos = 0;
    std::size_t m_extraPos = 0;
    std::vector<std::string> m_stack;
    std::size_t m_stackBytes = 0;
    std::string m_spaces;      // typed before the next operand or operator
    std::string m_openSpaces;  // typed before the next opening parenthesis
    std::string m_closeSpaces; // typed before the next closing parenthesis
};

using D = Decompilation;
const std::array<Decompilation::Handler, 0x40> Decompilation::kHandlers = {
    // 0x00-0x1F: operators, constants and control tokens
    &D::unknownToken, &D::unknownToken, &D::unknownToken, // tExp and tTbl stand for others
    &D::binaryOperator, &D::binaryOperator, &D::binaryOperator, &D::binaryOperator,
    &D::binaryOperator, &D::binaryOperator, &D::binaryOperator, &D::binaryOperator,
    &D::binaryOperator, &D::binaryOperator, &D::binaryOperator, &D::binaryOperator,
    &D::intersection, &D::unionOperator, &D::rangeOperator, &D::unary, &D::unary, &D::unary,
    &D::parentheses, &D::missingArgument, &D::stringConstant, &D::unknownToken, &D::attribute,
    &D::unknownToken, &D::unknownToken, &D::errorConstant, &D::boolConstant, &D::intConstant,
    &D::numberConstant,
    // 0x20-0x3F: operands, whatever their class (reference, value, array)
    &D::arrayConstant, &D::function, &D::functionWithCount, &D::definedName, &D::reference,
    &D::reference, &D::memoryArea, &D::memoryArea, &D::memoryArea, &D::memoryFunction,
    &D::reference, &D::reference, &D::reference, &D::reference, &D::memoryFunction,
    &D::memoryFunction,
    // 0x30-0x38 unused
    &D::unknownToken, &D::unknownToken, &D::unknownToken, &D::unknownToken, &D::unknownToken,
    &D::unknownToken, &D::unknownToken, &D::unknownToken, &D::unknownToken,
    // 0x39 tNameX, 0x3A-0x3D 3-D references, 0x3E-0x3F unused
    &D::externalName, &D::reference3d, &D::reference3d, &D::reference3d, &D::reference3d,
    &D::unknownToken, &D::unknownToken};

} // namespace

std::optional<std::string> FormulaDecompiler::decompile(std::span<const std::uint8_t> tokens,
                                                        std::span<const std::uint8_t> extra,
                                                        XlsCellPosition cell) const {
    if (tokens.empty()) {
        return std::nullopt;
    }
    return Decompilation(tokens, extra, cell, m_biff8, m_text, m_links).run();
}

std::optional<XlsCellPosition>
FormulaDecompiler::sharedFormulaCell(std::span<const std::uint8_t> tokens) {
    if (tokens.size() != kExpSize || tokens[0] != kExp) {
        return std::nullopt;
    }
    return XlsCellPosition{readU16(tokens, 1), readU16(tokens, 3)};
}

} // namespace orvanto::spreadsheet
