// Every limit on what a reader keeps of a file it does not trust. A timetable needs a few KB;
// these stop a small crafted file from making a reader hold hundreds of MB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvanto::spreadsheet::limits {

// All text one read of a file keeps: cell values, formulas, shared strings, names, codes.
inline constexpr std::size_t kKeptBytes = std::size_t{8} << 20;
// One cell's text or one shared string; Excel's own limit is 32767 characters.
inline constexpr std::size_t kStringBytes = 256 * 1024;
// One number format code; Excel's limit is 255 characters.
inline constexpr std::size_t kFormatCodeBytes = 1024;
// One sheet name; Excel's limit is 31 characters.
inline constexpr std::size_t kSheetNameBytes = 1024;
inline constexpr std::size_t kSheets = 65535;
inline constexpr std::size_t kStyles = std::size_t{1} << 20;
inline constexpr std::size_t kSharedFormulas = 0x10000;
inline constexpr std::size_t kMergedRanges = 0x4000;
// What one part of a package may inflate to.
inline constexpr std::int64_t kInflatedPartBytes = std::int64_t{128} << 20;
// Elements open at once in one XML part. A worksheet nests six deep, a rich text run eight;
// each open element costs the parser its name, so an unclosed flood would cost hundreds of MB.
inline constexpr int kXmlDepth = 256;

// A formula of a .xls spelled out from its tokens; Excel's limit is 8192 characters.
inline constexpr std::size_t kFormulaTextBytes = 8192 * 4;
// Sheet, XF and FORMAT indexes of a .xls are 16-bit: more entries come from a damaged file.
inline constexpr std::size_t kXlsIndexedEntries = 0x10000;
// Sheets, names, external books and their names together; formulas index them in 16 bits.
inline constexpr std::size_t kXlsLinkRecords = 4 * kXlsIndexedEntries;
// The workbook stream of a .xls; it is read in place, never copied whole.
inline constexpr std::uint64_t kXlsStreamBytes = std::uint64_t{256} << 20;
// A compound file whose directory is damaged is copied once to be repaired, up to this size.
inline constexpr std::size_t kXlsRepairedFileBytes = std::size_t{32} << 20;

// Reading a school's export keeps every worksheet and every table of a page, so it is bounded
// across the whole file, not per sheet. Exports are tens or hundreds of KB.
inline constexpr std::uintmax_t kExportBytes = std::uintmax_t{16} << 20;
// Worksheets of one export that are read; the rest are named as not read. Exports hold one
// to a few.
inline constexpr std::size_t kExportSheets = 64;
// One table of an export: cells past these are left out. A sheet read for an import holds
// 600 rows and 32 columns, an HTML table 1000 by 64; each table's lookup grid (rows x columns)
// and every kept cell and class are charged to the read's one budget.
inline constexpr int kTableRows = 4096;
inline constexpr int kTableColumns = 256;

// An HTML page is refused past this size, before it is parsed.
inline constexpr std::size_t kHtmlPageBytes = std::size_t{8} << 20;
// What a page keeps, far past any timetable: the first tables in document order, the first
// rows and columns of each, the first cells of the page.
inline constexpr int kHtmlTables = 64;
inline constexpr int kHtmlTableRows = 1000;
inline constexpr int kHtmlTableColumns = 64;
inline constexpr std::size_t kHtmlCells = 100'000;
// The HTML parser's work grows with attributes times attributes of one element and with stray
// end tags times open elements: a page past any of these is refused before it is parsed (or,
// for nesting, as soon as it gets that deep). Exports carry a handful of attributes, a few
// stray end tags and nest a dozen deep.
inline constexpr int kHtmlAttributes = 128;
inline constexpr std::size_t kHtmlStrayEndTags = 65536;
inline constexpr int kHtmlDepth = 256;

} // namespace orvanto::spreadsheet::limits
