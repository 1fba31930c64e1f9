// Formula text of SpreadsheetML as Excel shows it: newer functions without their storage
// prefix, and a shared formula as it applies to each cell of its range.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet::ooxml {

// The text Excel shows for a formula as stored, with its leading '=': "_xlfn.IFERROR(A1,0)"
// shows as "=IFERROR(A1,0)".
std::string displayedFormula(std::string_view stored);

// A shared formula's text moved by rows and columns: relative references move, the parts
// fixed by '$' stay. A reference moved off the sheet becomes #REF!, as Excel makes it.
// Strings and sheet names are left alone. Nothing when the text is not well formed.
std::optional<std::string> moveFormula(std::string_view text, int rows, int columns);

} // namespace orvanto::spreadsheet::ooxml
