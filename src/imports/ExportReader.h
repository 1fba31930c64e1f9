// A school's timetable export read into classes, whatever it was saved as: .xls or .xlsx
// through our readers (every worksheet), HTML (also under an .xls name) through libxml2. The
// format is told by content, never by the file's name.
#pragma once

#include "ImportedClass.h"
#include "core/Failure.h"
#include "spreadsheet/ReadLimits.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace orvanto::imports {

// Exports are tens or hundreds of KB; anything past this is no timetable export.
inline constexpr std::uintmax_t kMaxExportBytes = spreadsheet::limits::kExportBytes;

core::Result<ImportResult> readExport(std::span<const std::uint8_t> bytes);

// Reads the file (closed before returning) and then its bytes as above.
core::Result<ImportResult> readExportFile(const std::filesystem::path& path);

// Where the workbook made from an export goes unless the student says otherwise: beside it,
// named after it with ".orvanto.xlsx" in place of its extension (课表.xls -> 课表.orvanto.xlsx).
std::filesystem::path defaultWorkbookPath(const std::filesystem::path& exportPath);

} // namespace orvanto::imports
