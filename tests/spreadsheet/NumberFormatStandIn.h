// Temporary: stands in for classifyFormat until the number format unit is on this
// branch. Included by exactly one file of each test program that reads workbooks.
#pragma once

#include "spreadsheet/NumberFormat.h"

#include <string_view>

namespace orvanto::spreadsheet {

FormatKind classifyFormat(int builtinId, std::string_view code) {
    if ((builtinId >= 14 && builtinId <= 22) || (builtinId >= 27 && builtinId <= 36) ||
        (builtinId >= 45 && builtinId <= 47) || (builtinId >= 50 && builtinId <= 58)) {
        return FormatKind::Date;
    }
    if ((builtinId >= 5 && builtinId <= 8) || code.find("¥") != std::string_view::npos ||
        code.find('$') != std::string_view::npos) {
        return FormatKind::Currency;
    }
    bool quoted = false;
    for (char c : code) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && std::string_view("ymdhsYMDHS").find(c) != std::string_view::npos) {
            return code.find('E') != std::string_view::npos ? FormatKind::General
                                                            : FormatKind::Date;
        }
    }
    return FormatKind::General;
}

} // namespace orvanto::spreadsheet
