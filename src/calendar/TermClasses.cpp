#include "TermClasses.h"

#include "core/Weekdays.h"

namespace orvanto::calendar {

bool showsClass(const timetable::GridCell& cell) {
    return !cell.tooltip.empty();
}

TermClasses collectTermClasses(const timetable::MarkedSheet& marked, const core::Term& term) {
    TermClasses classes;
    for (int week = 1; week <= term.weeks; ++week) {
        const auto weekNumber = static_cast<std::int16_t>(week);
        const timetable::GridComposition grid = timetable::composeGrid(marked, weekNumber);
        if (grid.failure) {
            classes.failure = grid.failure;
            classes.failedWeek = weekNumber;
            return classes;
        }
        for (std::size_t index = 0; index < grid.cells.size(); ++index) {
            const timetable::GridCell& cell = grid.cells[index];
            if (showsClass(cell)) {
                const int i = static_cast<int>(index);
                classes.meetings.push_back(
                    {i / core::kWeekdays, i % core::kWeekdays, cell.lines, weekNumber});
            }
        }
    }
    return classes;
}

} // namespace orvanto::calendar
