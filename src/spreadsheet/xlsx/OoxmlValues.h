// Reading the value notations of SpreadsheetML: cell references, numbers,
// booleans, ISO dates and the _xHHHH_ escapes of string content.
#pragma once

#include "spreadsheet/CellAddress.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet::ooxml {

struct CellReference {
    int row = 0;    // 1-based
    int column = 0; // 1-based, A is 1
};

using spreadsheet::kMaxColumns;
using spreadsheet::kMaxRows;

// "C12" -> row 12, column 3. Nothing for anything outside A1:XFD1048576.
std::optional<CellReference> parseCellReference(std::string_view text);
// A row number attribute, 1..1048576.
std::optional<int> parseRowNumber(std::string_view text);
// A non-negative integer attribute (style and shared string indexes).
std::optional<long long> parseIndex(std::string_view text);
// An xsd:double as written in <v>; surrounding white space allowed.
std::optional<double> parseNumber(std::string_view text);
// xsd:boolean: "1"/"true" or "0"/"false".
std::optional<bool> parseBoolean(std::string_view text);
// An ISO 8601 date, date-time or time (t="d" cells) as a serial date number of the
// 1900 or the 1904 date system.
std::optional<double> parseIsoDate(std::string_view text, bool date1904);
// Decodes the _xHHHH_ escapes writers use for characters XML cannot carry.
std::string decodeEscapes(std::string_view text);

} // namespace orvanto::spreadsheet::ooxml
