#include "TermCalendar.h"

namespace orvanto::timetable {

using namespace std::chrono;

year_month_day lastTermSaturday(const core::Term& term) {
    return year_month_day{sys_days{term.firstMonday} + days{7 * (term.weeks - 1) + 5}};
}

std::vector<year_month> termMonths(const core::Term& term) {
    const year_month last = lastTermSaturday(term).year() / lastTermSaturday(term).month();
    std::vector<year_month> offered;
    for (year_month m = term.firstMonday.year() / term.firstMonday.month(); m <= last;
         m += months{1}) {
        offered.push_back(m);
    }
    return offered;
}

year_month termMonth(const core::Term& term, unsigned monthNumber) {
    for (const year_month m : termMonths(term)) {
        if (static_cast<unsigned>(m.month()) == monthNumber) {
            return m;
        }
    }
    return term.firstMonday.year() / month{monthNumber};
}

unsigned daysIn(year_month month) {
    return static_cast<unsigned>(year_month_day_last{month / last}.day());
}

} // namespace orvanto::timetable
