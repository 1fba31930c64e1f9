// The main task in one place: read a workbook, find its six period markers, and compose the
// grid of a teaching week. The viewer, orvanto-cli, the benchmarks and the fuzzers all go
// through here.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/Workbook.h"
#include "timetable/GridComposer.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace orvanto::service {

// A workbook whose six markers were all found: ready to compose any week.
struct LoadedTimetable {
    spreadsheet::Workbook workbook;
    timetable::MarkerRows markers{};

    operator timetable::MarkedSheet() const { return {workbook, markers}; }
};

// Reads the workbook (closed again before returning) and finds the six period markers on its
// first worksheet.
// A file that cannot be read and a marker that is missing are both failures.
[[nodiscard]] core::Result<LoadedTimetable> loadTimetable(const std::filesystem::path& path);
[[nodiscard]] core::Result<LoadedTimetable> loadTimetable(std::span<const std::uint8_t> bytes);

// The 35 cells of the week; a cell that cannot be read stops the composition (see
// timetable::composeGrid).
[[nodiscard]] timetable::GridComposition composeWeek(const LoadedTimetable& loaded,
                                                     std::int16_t week);

} // namespace orvanto::service
