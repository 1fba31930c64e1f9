#include "TeachingWeek.h"

#include <limits>

namespace orvanto::timetable {

using namespace std::chrono;

Result<std::int16_t> teachingWeekOf(year_month_day date, const core::Term& term) {
    const long long days = (sys_days{date} - sys_days{term.firstMonday}).count();
    // Floor division: dates before the term start count back into week 0, -1, ...
    long long weeks = days / 7;
    if (days % 7 != 0 && days < 0) {
        --weeks;
    }
    const long long week = weeks + 1;
    if (week < std::numeric_limits<std::int16_t>::min() ||
        week > std::numeric_limits<std::int16_t>::max()) {
        return core::errors::weekOutOfRange();
    }
    return static_cast<std::int16_t>(week);
}

int weekdayIndex(year_month_day date) {
    // iso_encoding: Monday 1 .. Sunday 7.
    return static_cast<int>(weekday{sys_days{date}}.iso_encoding()) - 1;
}

} // namespace orvanto::timetable
