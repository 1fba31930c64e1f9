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

} // namespace orvanto::spreadsheet::limits
