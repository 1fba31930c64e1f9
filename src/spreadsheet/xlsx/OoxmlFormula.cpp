#include "OoxmlFormula.h"

#include "OoxmlValues.h"

#include <array>
#include <optional>

namespace orvanto::spreadsheet::ooxml {

namespace {

constexpr std::array<std::string_view, 2> kFunctionPrefixes = {"_xlfn.", "_xlws."};

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// Characters of a name, function, reference or number; bytes of non-ASCII letters too.
bool isWordCharacter(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Copies a quoted run ("text" or 'sheet') starting at text[i], doubled quotes included.
// False when it never closes.
bool copyQuoted(std::string_view text, std::size_t& i, std::string& out) {
    const char quote = text[i];
    out += text[i++];
    while (i < text.size()) {
        out += text[i];
        if (text[i++] == quote) {
            if (i < text.size() && text[i] == quote) {
                out += text[i++];
                continue;
            }
            return true;
        }
    }
    return false;
}

// Copies a bracketed run ("[1]", "Table1[[#This Row],[Col]]") with its nesting.
bool copyBracketed(std::string_view text, std::size_t& i, std::string& out) {
    int depth = 0;
    while (i < text.size()) {
        const char c = text[i++];
        out += c;
        if (c == '[') {
            ++depth;
        } else if (c == ']' && --depth == 0) {
            return true;
        }
    }
    return false;
}

std::string columnLetters(int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return letters;
}

struct Part {
    bool fixed = false;
    int value = 0; // column 1..16384 or row 1..1048576
};

// "$AB" or "C" -> a column; nothing when it is not 1 to 3 letters within XFD.
std::optional<Part> columnPart(std::string_view text) {
    Part part;
    if (!text.empty() && text[0] == '$') {
        part.fixed = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    for (char c : text) {
        if (!isLetter(c)) {
            return std::nullopt;
        }
        part.value = part.value * 26 + (c & 0x1F);
    }
    if (part.value > kMaxColumns) {
        return std::nullopt;
    }
    return part;
}

std::optional<Part> rowPart(std::string_view text) {
    Part part;
    if (!text.empty() && text[0] == '$') {
        part.fixed = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 7 || text[0] == '0') {
        return std::nullopt;
    }
    for (char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        part.value = part.value * 10 + (c - '0');
    }
    if (part.value > kMaxRows) {
        return std::nullopt;
    }
    return part;
}

// Moves a part; false when it leaves the sheet.
bool move(Part& part, int by, int limit) {
    if (!part.fixed) {
        part.value += by;
    }
    return part.value >= 1 && part.value <= limit;
}

// Appended piece by piece: GCC 12 warns (-Wrestrict, falsely) on "literal" + temporary.
std::string spellColumn(const Part& part) {
    std::string text = part.fixed ? "$" : "";
    text += columnLetters(part.value);
    return text;
}
std::string spellRow(const Part& part) {
    std::string text = part.fixed ? "$" : "";
    text += std::to_string(part.value);
    return text;
}

class FormulaMover {
  public:
    FormulaMover(std::string_view text, int rows, int columns)
        : m_text(text), m_rows(rows), m_columns(columns) {}

    std::optional<std::string> run() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '"' || c == '\'') {
                if (!copyQuoted(m_text, m_pos, m_out)) {
                    return std::nullopt;
                }
            } else if (c == '[') {
                if (!copyBracketed(m_text, m_pos, m_out)) {
                    return std::nullopt;
                }
            } else if (isWordCharacter(c)) {
                word();
            } else {
                m_out += c;
                ++m_pos;
            }
        }
        return m_out;
    }

  private:
    std::string_view wordAt(std::size_t at) const {
        std::size_t end = at;
        while (end < m_text.size() && isWordCharacter(m_text[end])) {
            ++end;
        }
        return m_text.substr(at, end - at);
    }

    char after(std::size_t at) const { return at < m_text.size() ? m_text[at] : '\0'; }

    void word() {
        const std::string_view word = wordAt(m_pos);
        const std::size_t end = m_pos + word.size();
        m_pos = end;
        const char next = after(end);
        if (next == '!' || next == '(' || next == '[') {
            m_out += word; // a sheet, a function, a table
            return;
        }
        if (auto cell = cellParts(word)) {
            Part column = cell->first;
            Part row = cell->second;
            const bool inside = move(column, m_columns, kMaxColumns) && move(row, m_rows, kMaxRows);
            m_out += inside ? spellColumn(column) + spellRow(row) : "#REF!";
            return;
        }
        if (next == ':') {
            const std::string_view second = wordAt(end + 1);
            if (lineRange(word, second, columnPart, kMaxColumns, m_columns, spellColumn) ||
                lineRange(word, second, rowPart, kMaxRows, m_rows, spellRow)) {
                m_pos = end + 1 + second.size();
                return;
            }
        }
        m_out += word;
    }

    // "B$3" -> column B, row 3 fixed.
    static std::optional<std::pair<Part, Part>> cellParts(std::string_view word) {
        std::size_t split = word.starts_with('$') ? 1 : 0;
        while (split < word.size() && isLetter(word[split])) {
            ++split;
        }
        auto column = columnPart(word.substr(0, split));
        auto row = rowPart(word.substr(split));
        if (!column || !row) {
            return std::nullopt;
        }
        return std::pair{*column, *row};
    }

    // Whole columns ("A:C") or whole rows ("1:3"), both ends of the same kind.
    template <class Parse, class Spell>
    bool lineRange(std::string_view first, std::string_view second, Parse parse, int limit, int by,
                   Spell spell) {
        auto a = parse(first);
        auto b = parse(second);
        if (!a || !b) {
            return false;
        }
        const bool inside = move(*a, by, limit) && move(*b, by, limit);
        m_out += inside ? spell(*a) + ":" + spell(*b) : "#REF!";
        return true;
    }

    std::string_view m_text;
    int m_rows;
    int m_columns;
    std::size_t m_pos = 0;
    std::string m_out;
};

// One sheet name of a sheet range at text[i], quoted or bare, without its quotes; moves i
// past it. Nothing when there is none.
std::optional<std::string> sheetName(std::string_view text, std::size_t& i) {
    if (i < text.size() && text[i] == '\'') {
        std::string quoted;
        std::size_t end = i;
        if (!copyQuoted(text, end, quoted)) {
            return std::nullopt;
        }
        i = end;
        std::string name;
        for (std::size_t k = 1; k + 1 < quoted.size(); ++k) {
            name += quoted[k];
            if (quoted[k] == '\'') {
                ++k; // a doubled quote stands for one
            }
        }
        return name;
    }
    const std::size_t start = i;
    while (i < text.size() && isWordCharacter(text[i])) {
        ++i;
    }
    if (i == start) {
        return std::nullopt;
    }
    return std::string(text.substr(start, i - start));
}

// A sheet range with a quoted end ("Jan:'my sheet'!", as LibreOffice and Gnumeric store it)
// in Excel's spelling, quoted as a whole: "'Jan:my sheet'!". Nothing for anything else.
std::optional<std::string> sheetRange(std::string_view text, std::size_t& i) {
    std::size_t at = i;
    const bool firstQuoted = text[at] == '\'';
    auto first = sheetName(text, at);
    if (!first || at >= text.size() || text[at] != ':') {
        return std::nullopt;
    }
    ++at;
    const bool lastQuoted = at < text.size() && text[at] == '\'';
    auto last = sheetName(text, at);
    if (!last || at >= text.size() || text[at] != '!' || (!firstQuoted && !lastQuoted)) {
        return std::nullopt;
    }
    i = at + 1;
    std::string out = "'";
    for (char c : *first + ":" + *last) {
        out += c == '\'' ? "''" : std::string(1, c);
    }
    return out + "'!";
}

} // namespace

std::string displayedFormula(std::string_view stored) {
    std::string out = "=";
    std::size_t i = 0;
    while (i < stored.size()) {
        const char c = stored[i];
        const bool wordStart = out.empty() || !isWordCharacter(out.back());
        if (wordStart && (c == '\'' || isWordCharacter(c))) {
            if (auto range = sheetRange(stored, i)) {
                out += *range;
                continue;
            }
        }
        if (c == '"' || c == '\'') {
            if (!copyQuoted(stored, i, out)) {
                break;
            }
            continue;
        }
        bool stripped = false;
        for (std::string_view prefix : kFunctionPrefixes) {
            if (wordStart && stored.substr(i).starts_with(prefix)) {
                i += prefix.size();
                stripped = true;
            }
        }
        if (!stripped) {
            out += c;
            ++i;
        }
    }
    return out;
}

std::optional<std::string> moveFormula(std::string_view text, int rows, int columns) {
    return FormulaMover(text, rows, columns).run();
}

} // namespace orvanto::spreadsheet::ooxml
