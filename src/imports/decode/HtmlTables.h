// The tables of an HTML export (also one saved under an .xls name), in UTF-8 or GBK/GB18030,
// parsed with libxml2's HTML parser; rowspan and colspan become spans, <br> line breaks.
#pragma once

#include "core/Failure.h"
#include "imports/decode/SourceTable.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/ReadLimits.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::imports {

// Exports are tens of KB; a page over 8 MiB is refused before it is parsed.
inline constexpr std::size_t kMaxHtmlPageBytes = spreadsheet::limits::kHtmlPageBytes;
// What a page keeps, far past any timetable: the first tables in document order, the first
// rows and columns of each, the first cells of the page. The rest is left out.
inline constexpr int kMaxHtmlTables = spreadsheet::limits::kHtmlTables;
inline constexpr int kMaxHtmlTableRows = spreadsheet::limits::kHtmlTableRows;
inline constexpr int kMaxHtmlTableColumns = spreadsheet::limits::kHtmlTableColumns;
inline constexpr std::size_t kMaxHtmlCells = spreadsheet::limits::kHtmlCells;

// True when the bytes look like HTML (after a BOM and blanks: "<", and a tag of HTML).
bool looksLikeHtml(std::span<const std::uint8_t> bytes);

// Every <table> of the page, in document order, named "表格1", "表格2", ...; nested tables
// are tables of their own, numbered where they start, and their text is theirs alone: the
// outer cell keeps only its own text, on separate lines before and after the nested table.
// A page without a table fails ("no table in the HTML page"). Nothing reaches stderr. A page
// that would cost the parser more than linear time (too many attributes on one element, too
// many end tags that close nothing, too deep) is refused as too large.
core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes);
// The same, charging the tables kept to budget, which the rest of the import shares.
core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes,
                                                      spreadsheet::ReadBudget& budget);

} // namespace orvanto::imports
