#include "FormulaDecompiler.h"

#include "BiffRecordCursor.h"
#include "XlsErrorCodes.h"
#include "core/Utf8.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace orvanto::spreadsheet {

namespace {

constexpr int kVariableArgs = -1;

struct Function {
    std::uint16_t index;
    std::string_view name;
    int arguments; // kVariableArgs when the token carries the count
};

// The built-in functions a timetable is likely to use, by their index in the function table.
constexpr std::array kFunctions = {
    Function{0, "COUNT", kVariableArgs},
    Function{1, "IF", kVariableArgs},
    Function{2, "ISNA", 1},
    Function{3, "ISERROR", 1},
    Function{4, "SUM", kVariableArgs},
    Function{5, "AVERAGE", kVariableArgs},
    Function{6, "MIN", kVariableArgs},
    Function{7, "MAX", kVariableArgs},
    Function{8, "ROW", kVariableArgs},
    Function{9, "COLUMN", kVariableArgs},
    Function{10, "NA", 0},
    Function{19, "PI", 0},
    Function{20, "SQRT", 1},
    Function{24, "ABS", 1},
    Function{25, "INT", 1},
    Function{27, "ROUND", 2},
    Function{29, "INDEX", kVariableArgs},
    Function{30, "REPT", 2},
    Function{31, "MID", 3},
    Function{32, "LEN", 1},
    Function{33, "VALUE", 1},
    Function{34, "TRUE", 0},
    Function{35, "FALSE", 0},
    Function{36, "AND", kVariableArgs},
    Function{37, "OR", kVariableArgs},
    Function{38, "NOT", 1},
    Function{39, "MOD", 2},
    Function{48, "TEXT", 2},
    Function{63, "RAND", 0},
    Function{65, "DATE", 3},
    Function{66, "TIME", 3},
    Function{67, "DAY", 1},
    Function{68, "MONTH", 1},
    Function{69, "YEAR", 1},
    Function{70, "WEEKDAY", kVariableArgs},
    Function{71, "HOUR", 1},
    Function{72, "MINUTE", 1},
    Function{73, "SECOND", 1},
    Function{74, "NOW", 0},
    Function{100, "CHOOSE", kVariableArgs},
    Function{101, "HLOOKUP", kVariableArgs},
    Function{102, "VLOOKUP", kVariableArgs},
    Function{111, "CHAR", 1},
    Function{112, "LOWER", 1},
    Function{113, "UPPER", 1},
    Function{115, "LEFT", kVariableArgs},
    Function{116, "RIGHT", kVariableArgs},
    Function{117, "EXACT", 2},
    Function{118, "TRIM", 1},
    Function{119, "REPLACE", 4},
    Function{120, "SUBSTITUTE", kVariableArgs},
    Function{121, "CODE", 1},
    Function{124, "FIND", kVariableArgs},
    Function{169, "COUNTA", kVariableArgs},
    Function{212, "ROUNDUP", 2},
    Function{213, "ROUNDDOWN", 2},
    Function{221, "TODAY", 0},
    Function{336, "CONCATENATE", kVariableArgs},
};

const Function* findFunction(std::uint16_t index) {
    for (const Function& f : kFunctions) {
        if (f.index == index) {
            return &f;
        }
    }
    return nullptr;
}

constexpr std::array<std::string_view, 12> kBinaryOperators = {"+", "-",  "*", "/",  "^", "&",
                                                               "<", "<=", "=", ">=", ">", "<>"};

std::string columnName(unsigned column) {
    std::string name;
    ++column;
    while (column > 0) {
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
        column = (column - 1) / 26;
    }
    return name;
}

std::string cellReference(unsigned row, unsigned column, bool rowRelative, bool columnRelative) {
    // Appended piece by piece: GCC 12 warns (-Wrestrict, falsely) on "literal" + temporary.
    std::string reference = columnRelative ? "" : "$";
    reference += columnName(column);
    reference += rowRelative ? "" : "$";
    reference += std::to_string(row + 1);
    return reference;
}

std::string numberText(double value) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.15G", value);
    return buffer.data();
}

// Reads tokens front to back, keeping the operands on a stack as the tokens are postfix.
class Decompilation {
  public:
    Decompilation(std::span<const std::uint8_t> tokens, bool biff8, const BiffTextDecoder& text)
        : m_tokens(tokens), m_biff8(biff8), m_text(text) {}

    std::optional<std::string> run() {
        while (m_pos < m_tokens.size()) {
            if (!step()) {
                return std::nullopt;
            }
        }
        if (m_stack.size() != 1) {
            return std::nullopt;
        }
        return "=" + m_stack.back();
    }

  private:
    bool has(std::size_t count) const { return m_tokens.size() - m_pos >= count; }

    void push(std::string operand) {
        m_stack.push_back(m_spaces + std::move(operand));
        m_spaces.clear();
    }

    bool pop(std::string& operand) {
        if (m_stack.empty()) {
            return false;
        }
        operand = std::move(m_stack.back());
        m_stack.pop_back();
        return true;
    }

    bool binary(std::string_view op) {
        std::string right;
        std::string left;
        if (!pop(right) || !pop(left)) {
            return false;
        }
        std::string spaces = std::move(m_spaces);
        m_spaces.clear();
        push(left + spaces + std::string(op) + right);
        return true;
    }

    bool call(std::string_view name, std::size_t count) {
        if (m_stack.size() < count) {
            return false;
        }
        std::string text = std::string(name) + "(";
        for (std::size_t i = m_stack.size() - count; i < m_stack.size(); ++i) {
            text += (i + count == m_stack.size() ? "" : ",") + m_stack[i];
        }
        m_stack.resize(m_stack.size() - count);
        push(text + ")");
        return true;
    }

    bool reference(bool area) {
        const std::size_t size = m_biff8 ? (area ? 8 : 4) : (area ? 6 : 3);
        if (!has(size)) {
            return false;
        }
        auto at = m_tokens.subspan(m_pos);
        m_pos += size;
        // BIFF8 keeps the relative flags in the column word, BIFF5 in the row word.
        auto ref = [&](std::uint16_t row, std::uint16_t column, std::uint16_t flags) {
            return cellReference(row, column, (flags & 0x8000) != 0, (flags & 0x4000) != 0);
        };
        if (m_biff8) {
            if (!area) {
                const std::uint16_t column = readU16(at, 2);
                push(ref(readU16(at, 0), column & 0x3FFF, column));
                return true;
            }
            const std::uint16_t first = readU16(at, 4);
            const std::uint16_t last = readU16(at, 6);
            push(ref(readU16(at, 0), first & 0x3FFF, first) + ":" +
                 ref(readU16(at, 2), last & 0x3FFF, last));
            return true;
        }
        if (!area) {
            const std::uint16_t row = readU16(at, 0);
            push(ref(row & 0x3FFF, at[2], row));
            return true;
        }
        const std::uint16_t first = readU16(at, 0);
        const std::uint16_t last = readU16(at, 2);
        push(ref(first & 0x3FFF, at[4], first) + ":" + ref(last & 0x3FFF, at[5], last));
        return true;
    }

    bool string() {
        if (!has(1)) {
            return false;
        }
        const std::size_t count = m_tokens[m_pos++];
        std::string text;
        if (m_biff8) {
            if (!has(1)) {
                return false;
            }
            const bool wide = (m_tokens[m_pos++] & 0x01) != 0;
            const std::size_t bytes = count * (wide ? 2 : 1);
            if (!has(bytes)) {
                return false;
            }
            std::u16string units;
            for (std::size_t i = 0; i < count; ++i) {
                units.push_back(wide ? static_cast<char16_t>(readU16(m_tokens, m_pos + 2 * i))
                                     : static_cast<char16_t>(m_tokens[m_pos + i]));
            }
            m_pos += bytes;
            text = core::toUtf8(units);
        } else {
            if (!has(count)) {
                return false;
            }
            text = m_text.decode8Bit(m_tokens.subspan(m_pos, count));
            m_pos += count;
        }
        std::string quoted = "\"";
        for (char c : text) {
            quoted += c == '"' ? "\"\"" : std::string(1, c);
        }
        push(quoted + "\"");
        return true;
    }

    bool attribute() {
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
        case 0x20:
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
        case 0x40: { // white space the user typed
            const std::uint8_t type = static_cast<std::uint8_t>(data & 0xFF);
            const std::size_t count = data >> 8;
            if (type == 0) {
                m_spaces.append(count, ' ');
            } else if (type == 1) {
                m_spaces.append(count, '\n');
            } else {
                return false;
            }
            return true;
        }
        default:
            return false;
        }
    }

    bool step() {
        const std::uint8_t token = m_tokens[m_pos++];
        if (token >= 0x03 && token <= 0x0E) {
            return binary(kBinaryOperators[token - 0x03]);
        }
        switch (token) {
        case 0x10:
            return binary(",");
        case 0x11:
            return binary(":");
        case 0x12:
        case 0x13: {
            std::string operand;
            if (!pop(operand)) {
                return false;
            }
            push((token == 0x12 ? "+" : "-") + operand);
            return true;
        }
        case 0x14: {
            std::string operand;
            if (!pop(operand)) {
                return false;
            }
            push(operand + "%");
            return true;
        }
        case 0x15: {
            std::string operand;
            if (!pop(operand)) {
                return false;
            }
            push("(" + operand + ")");
            return true;
        }
        case 0x16:
            push("");
            return true;
        case 0x17:
            return string();
        case 0x19:
            return attribute();
        case 0x1C:
            if (!has(1)) {
                return false;
            }
            push(std::string(xlsErrorText(m_tokens[m_pos++])));
            return true;
        case 0x1D:
            if (!has(1)) {
                return false;
            }
            push(m_tokens[m_pos++] != 0 ? "TRUE" : "FALSE");
            return true;
        case 0x1E:
            if (!has(2)) {
                return false;
            }
            push(std::to_string(readU16(m_tokens, m_pos)));
            m_pos += 2;
            return true;
        case 0x1F:
            if (!has(8)) {
                return false;
            }
            push(numberText(readF64(m_tokens, m_pos)));
            m_pos += 8;
            return true;
        default:
            break;
        }
        if (token < 0x20 || token > 0x7F) {
            return false;
        }
        switch ((token & 0x1F) | 0x20) {
        case 0x21: { // function with a fixed number of arguments
            if (!has(2)) {
                return false;
            }
            const Function* f = findFunction(readU16(m_tokens, m_pos));
            m_pos += 2;
            return f != nullptr && f->arguments != kVariableArgs &&
                   call(f->name, static_cast<std::size_t>(f->arguments));
        }
        case 0x22: { // function with a counted number of arguments
            if (!has(3)) {
                return false;
            }
            const std::size_t count = m_tokens[m_pos] & 0x7F;
            const Function* f = findFunction(readU16(m_tokens, m_pos + 1) & 0x7FFF);
            m_pos += 3;
            return f != nullptr && call(f->name, count);
        }
        case 0x24:
            return reference(false);
        case 0x25:
            return reference(true);
        case 0x26: // the sub-expression of a precomputed area follows inline
        case 0x27:
        case 0x28:
            if (!has(6)) {
                return false;
            }
            m_pos += 6;
            return true;
        case 0x29:
            if (!has(2)) {
                return false;
            }
            m_pos += 2;
            return true;
        case 0x2A: // reference or area to deleted cells
        case 0x2B: {
            const bool area = (token & 0x1F) == 0x0B;
            const std::size_t size = m_biff8 ? (area ? 8 : 4) : (area ? 6 : 3);
            if (!has(size)) {
                return false;
            }
            m_pos += size;
            push("#REF!");
            return true;
        }
        default:
            return false; // names, 3-D references, arrays, shared formulas
        }
    }

    std::span<const std::uint8_t> m_tokens;
    bool m_biff8;
    const BiffTextDecoder& m_text;
    std::size_t m_pos = 0;
    std::vector<std::string> m_stack;
    std::string m_spaces;
};

} // namespace

std::optional<std::string>
FormulaDecompiler::decompile(std::span<const std::uint8_t> tokens) const {
    if (tokens.empty()) {
        return std::nullopt;
    }
    return Decompilation(tokens, m_biff8, m_text).run();
}

} // namespace orvanto::spreadsheet
