// Classifies a number format as date/time, currency or general, as Excel's
// Range.Value does when it decides between Date, Currency and Double.
#pragma once

#include "CellValue.h"

#include <string_view>

namespace orvanto::spreadsheet {

// builtinId is the format's number (numFmtId / IFMT); code is its format text,
// empty when the workbook does not spell out a built-in format.
FormatKind classifyFormat(int builtinId, std::string_view code);

} // namespace orvanto::spreadsheet
