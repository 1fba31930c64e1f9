// The tables of an HTML export (also one saved under an .xls name), in UTF-8 or GBK/GB18030,
// parsed with libxml2's HTML parser; rowspan and colspan become spans, <br> line breaks.
#pragma once

#include "core/Failure.h"
#include "imports/decode/SourceTable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::imports {

// Exports are tens of KB; a page over 8 MiB is refused before it is parsed.
inline constexpr std::size_t kMaxHtmlPageBytes = 8u * 1024 * 1024;
// What a page keeps, far past any timetable: the first tables in document order, the first
// rows and columns of each, the first cells of the page. The rest is left out, so that no page
// makes the grids of its tables (rows x columns each) take more than 16 MB together.
inline constexpr int kMaxHtmlTables = 64;
inline constexpr int kMaxHtmlTableRows = 1000;
inline constexpr int kMaxHtmlTableColumns = 64;
inline constexpr std::size_t kMaxHtmlCells = 100'000;

// True when the bytes look like HTML (after a BOM and blanks: "<", and a tag of HTML).
bool looksLikeHtml(std::span<const std::uint8_t> bytes);

// Every <table> of the page, in document order, named "表格1", "表格2", ...; nested tables
// are tables of their own, numbered where they start, and their text is theirs alone: the
// outer cell keeps only its own text, on separate lines before and after the nested table.
// A page without a table fails ("no table in the HTML page"). Nothing reaches stderr.
core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes);

} // namespace orvanto::imports
