#include "NumberFormat.h"

#include <array>

namespace orvanto::spreadsheet {

namespace {

bool isBuiltinDate(int id) {
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) ||
           (id >= 50 && id <= 58);
}

// Built-in currency formats: the four currency ones and the two accounting ones with a symbol.
bool isBuiltinCurrency(int id) {
    return (id >= 5 && id <= 8) || id == 42 || id == 44;
}

bool startsWithCi(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        if (a >= 'a' && a <= 'z') {
            a = static_cast<char>(a - 'a' + 'A');
        }
        if (a != prefix[i]) {
            return false;
        }
    }
    return true;
}

constexpr std::array<std::string_view, 6> kCurrencySymbols = {"$", "¥", "￥", "€", "£", "₩"};

bool holdsCurrencySymbol(std::string_view text) {
    for (auto symbol : kCurrencySymbols) {
        if (text.find(symbol) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool startsWithCurrencySymbol(std::string_view text) {
    for (auto symbol : kCurrencySymbols) {
        if (text.substr(0, symbol.size()) == symbol) {
            return true;
        }
    }
    return false;
}

struct Scan {
    bool date = false;
    bool currency = false;
};

// Walks the format code, skipping quoted text, escaped characters and bracketed sections
// except the elapsed-time ones ([h], [mm], [ss]) and currency tags ([$¥-804]).
Scan scanCode(std::string_view code) {
    Scan scan;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const std::size_t end = code.find('"', i + 1);
            const std::string_view quoted = code.substr(
                i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
            scan.currency = scan.currency || holdsCurrencySymbol(quoted);
            if (end == std::string_view::npos) {
                break;
            }
            i = end;
        } else if (c == '\\' || c == '_' || c == '*') {
            // The next character is a literal (or a padding/fill character).
            if (i + 1 < code.size()) {
                scan.currency = scan.currency || holdsCurrencySymbol(code.substr(i + 1, 3));
                ++i;
            }
        } else if (c == '[') {
            const std::size_t end = code.find(']', i + 1);
            const std::string_view inner = code.substr(
                i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
            if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'H' || inner[0] == 'm' ||
                                   inner[0] == 'M' || inner[0] == 's' || inner[0] == 'S')) {
                scan.date = true;
            } else if (!inner.empty() && inner[0] == '$') {
                // [$symbol-locale]: a currency tag only when it names a symbol.
                const std::size_t dash = inner.find('-');
                scan.currency =
                    scan.currency || (dash == std::string_view::npos ? inner.size() > 1 : dash > 1);
            }
            if (end == std::string_view::npos) {
                break;
            }
            i = end;
        } else if (startsWithCi(code.substr(i), "AM/PM") || startsWithCi(code.substr(i), "A/P")) {
            scan.date = true;
        } else if (startsWithCi(code.substr(i), "GENERAL")) {
            i += 6;
        } else {
            switch (c) {
            case 'y':
            case 'Y':
            case 'm':
            case 'M':
            case 'd':
            case 'D':
            case 'h':
            case 'H':
            case 's':
            case 'S':
                scan.date = true;
                break;
            default:
                scan.currency = scan.currency || startsWithCurrencySymbol(code.substr(i));
                break;
            }
        }
    }
    return scan;
}

} // namespace

FormatKind classifyFormat(int builtinId, std::string_view code) {
    if (code.empty()) {
        if (isBuiltinDate(builtinId)) {
            return FormatKind::Date;
        }
        return isBuiltinCurrency(builtinId) ? FormatKind::Currency : FormatKind::General;
    }
    // A format the workbook spells out is judged by its code alone: some writers number
    // their own formats from 50 up, where the East Asian date built-ins sit.
    const Scan scan = scanCode(code);
    if (scan.date) {
        return FormatKind::Date;
    }
    return scan.currency ? FormatKind::Currency : FormatKind::General;
}

} // namespace orvanto::spreadsheet
