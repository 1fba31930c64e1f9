#include "WeekFilter.h"

#include "VbText.h"
#include "core/Utf8.h"

namespace orvanto::timetable {

namespace {

using Layout = core::WorkbookLayout;

// first <= week <= last, each read from the digits where the week row's format puts them.
bool rangeAdmits(std::u16string_view text, std::int16_t week) {
    const int open = instr(text, Layout::kWeekRangeOpen);
    const int dash = instr(text, Layout::kWeekRangeDash);
    // Two characters can hold at most "99" or "-9": CInt cannot overflow here.
    const std::int16_t first =
        cint(val(mid(text, open + Layout::kFirstWeekAfterOpen, Layout::kWeekDigits))).value();
    const std::int16_t last =
        cint(val(mid(text, dash + static_cast<int>(Layout::kWeekRangeDash.size()),
                     Layout::kWeekDigits)))
            .value();
    return first <= week && week <= last;
}

} // namespace

bool weekRowMatches(std::u16string_view weekRow, std::int16_t week) {
    const bool oddOnly = instr(weekRow, Layout::kOddWeeksMark) > 0;
    const bool evenOnly = instr(weekRow, Layout::kEvenWeeksMark) > 0;
    const bool odd = week % 2 != 0;
    // A failed range test under a parity mark is final: it never falls through.
    if (oddOnly && odd) {
        return rangeAdmits(weekRow, week);
    }
    if (evenOnly && !odd) {
        return rangeAdmits(weekRow, week);
    }
    if (!oddOnly && !evenOnly) {
        return rangeAdmits(weekRow, week);
    }
    return false;
}

core::Result<DayRows> scanWeekRows(const core::CellSource& sheet, std::int16_t markerRow,
                                   std::int16_t nextMarkerRow, std::int16_t week) {
    DayRows rows;
    for (int day = 0; day < core::kWeekdays; ++day) {
        const char column = Layout::classColumn(day);
        const auto d = static_cast<std::size_t>(day);
        for (int weekRow = Layout::weekRowOf(markerRow); weekRow <= nextMarkerRow;
             weekRow += Layout::kBlockRows) {
            auto text = sheet.cellText(column, weekRow);
            if (!text) {
                return text.failure();
            }
            if (weekRowMatches(core::toUtf16(text.value()), week)) {
                const int blockRow = Layout::blockRowOf(weekRow);
                rows.courseRow[d] = static_cast<std::int16_t>(blockRow + Layout::kCourseOffset);
                rows.teacherRow[d] = static_cast<std::int16_t>(blockRow + Layout::kTeacherOffset);
                rows.roomRow[d] = static_cast<std::int16_t>(blockRow + Layout::kRoomOffset);
                break; // the uppermost matching block wins
            }
        }
        if (rows.courseRow[d] == 0 || rows.teacherRow[d] == 0 || rows.roomRow[d] == 0) {
            rows.courseRow[d] = rows.teacherRow[d] = rows.roomRow[d] = Layout::kBlankRow;
        }
    }
    return rows;
}

} // namespace orvanto::timetable
