// A school's timetable export read into classes, whatever it was saved as: .xls or .xlsx
// through our readers (every worksheet), HTML (also under an .xls name) through libxml2. The
// format is told by content, never by the file's name.
#pragma once

#include "core/Failure.h"
#include "imports/ImportedClass.h"
#include "spreadsheet/ReadLimits.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace orvanto::imports {

// Exports are tens or hundreds of KB; anything past this is no timetable export.
inline constexpr std::uintmax_t kMaxExportBytes = spreadsheet::limits::kExportBytes;

// The reading the student chose instead of the sniffer's: a runner-up by its place in
// ImportResult::runnersUp (0 is the first), or a dialect of their own.
struct ReadingChoice {
    std::optional<std::size_t> runnerUp;
    std::optional<Dialect> dialect;
};

core::Result<ImportResult> readExport(std::span<const std::uint8_t> bytes,
                                      const ReadingChoice& choice = {});

// Reads the file (closed before returning) and then its bytes as above.
core::Result<ImportResult> readExportFile(const std::filesystem::path& path,
                                          const ReadingChoice& choice = {});

// Where the workbook made from an export goes unless the student says otherwise: beside it,
// named after it with ".orvanto.xlsx" in place of its extension (课表.xls -> 课表.orvanto.xlsx).
std::filesystem::path defaultWorkbookPath(const std::filesystem::path& exportPath);

} // namespace orvanto::imports
