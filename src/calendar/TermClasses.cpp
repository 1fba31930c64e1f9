#include "TermClasses.h"

#include "core/Weekdays.h"

namespace orvanto::calendar {

bool showsClass(const timetable::GridCell& cell) {
    return timetable::showsText(cell);
}

std::vector<ShownClass> classesOf(const timetable::GridCell& cell) {
    std::vector<ShownClass> classes;
    if (showsClass(cell)) {
        classes.push_back({cell.lines, 0});
    }
    for (const timetable::OtherClass& other : cell.others) {
        classes.push_back({other.lines, other.row});
    }
    return classes;
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
            const int i = static_cast<int>(index);
            for (ShownClass& one : classesOf(grid.cells[index])) {
                classes.meetings.push_back({i / core::kWeekdays, i % core::kWeekdays,
                                            std::move(one.lines), weekNumber, one.rank});
            }
        }
    }
    return classes;
}

} // namespace orvanto::calendar
