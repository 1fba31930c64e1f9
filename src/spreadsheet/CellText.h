// A cell's value turned into text as Excel's Range.Value gives it to a program
// on a Simplified Chinese system.
#pragma once

#include "CellValue.h"
#include "core/Failure.h"

#include <string>

namespace orvanto::spreadsheet {

// Error values cannot be converted: they fail with error 13.
core::Result<std::string> cellValueToText(const CellValue& cell, bool date1904);

// The text the marker search matches: the formula for formula cells (none when it could not
// be rebuilt), otherwise the value's text, with error values as their code ("#N/A") and
// booleans as "TRUE"/"FALSE".
std::string searchText(const CellValue& cell, bool date1904);

// A Double as text: 15 significant digits, scientific from 1E+15 up and for tiny values.
std::string generalNumberText(double value);

} // namespace orvanto::spreadsheet
