#include "Agenda.h"

#include "TermClasses.h"
#include "core/Weekdays.h"
#include "timetable/TeachingWeek.h"

#include <algorithm>

namespace orvanto::calendar {

core::Result<DayAgenda> agendaOf(const timetable::MarkedSheet& marked, const core::Term& term,
                                 std::chrono::year_month_day date) {
    const auto week = timetable::teachingWeekOf(date, term);
    if (!week) {
        return week.failure();
    }
    DayAgenda agenda{date, week.value(), timetable::isTeachingWeek(week.value(), term), {}};
    if (!agenda.inTerm) {
        return agenda;
    }
    const timetable::GridComposition grid = timetable::composeGrid(marked, agenda.week);
    if (grid.failure) {
        return *grid.failure;
    }
    const int weekday = timetable::weekdayIndex(date);
    for (int period = 0; period < core::kBigPeriods; ++period) {
        const auto& cell =
            grid.cells[static_cast<std::size_t>(timetable::cellIndex(period, weekday))];
        for (const ShownClass& one : classesOf(cell)) {
            agenda.entries.push_back({period, term.periods[static_cast<std::size_t>(period)],
                                      one.lines[0], one.lines[1], one.lines[2]});
        }
    }
    // A term may give its big periods times out of their order.
    std::stable_sort(
        agenda.entries.begin(), agenda.entries.end(),
        [](const AgendaEntry& a, const AgendaEntry& b) { return a.time.start < b.time.start; });
    return agenda;
}

} // namespace orvanto::calendar
