// The week filter scan: for one big period, which class block meets on each day
// in the week shown, as the three sheet rows whose texts the grid cell shows.
#pragma once

#include "core/CellSource.h"
#include "core/Weekdays.h"
#include "core/WorkbookLayout.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orvanto::timetable {

// The rows of the three lines a grid cell shows, per weekday (0 Monday .. 6 Sunday). A day
// without a class that meets shows the blank row in all three.
struct DayRows {
    std::array<std::int16_t, core::kWeekdays> courseRow{};
    std::array<std::int16_t, core::kWeekdays> teacherRow{};
    std::array<std::int16_t, core::kWeekdays> roomRow{};
};

// Whether a week-row text admits the week, as the workbook layout's week row is read.
bool weekRowMatches(std::u16string_view weekRow, std::int16_t week);

// Scans the week rows of the blocks below markerRow down to nextMarkerRow, in every class
// column. On a failing read the scan stops and the failure is returned.
core::Result<DayRows> scanWeekRows(const core::CellSource& sheet, std::int16_t markerRow,
                                   std::int16_t nextMarkerRow, std::int16_t week);

} // namespace orvanto::timetable
