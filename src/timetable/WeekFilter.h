// The week filter scan: for one big period, which class block meets on each day
// in the week shown, as the three sheet rows whose texts the grid cell shows.
#pragma once

#include "core/CellSource.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orvanto::timetable {

// A day whose entries are all kBlankRow shows row 2, the blank row.
inline constexpr std::int16_t kBlankRow = 2;

struct DayRows {
    std::array<std::int16_t, 7> line1row{};
    std::array<std::int16_t, 7> line2row{};
    std::array<std::int16_t, 7> line3row{};
};

// Whether a week-row text admits the week: the parity mark ("单周"/"双周") and the
// range "{" + one character + first week, "-" + last week.
bool weekRowMatches(std::u16string_view weekRow, std::int16_t week);

// Scans week rows startrow+1, startrow+6, ... up to endrow in columns C..I.
// On a failing read the scan stops and the failure is returned.
core::Result<DayRows> scanWeekRows(const core::CellSource& sheet, std::int16_t startrow,
                                   std::int16_t endrow, std::int16_t week);

} // namespace orvanto::timetable
