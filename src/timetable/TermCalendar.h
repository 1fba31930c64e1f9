// The calendar of a term as the query window offers it: the months it meets, each in the
// year the term meets it, and the days of such a month.
#pragma once

#include "core/Term.h"

#include <chrono>
#include <vector>

namespace orvanto::timetable {

// Saturday of the last teaching week: the last day the query window offers.
std::chrono::year_month_day lastTermSaturday(const core::Term& term);

// The months from the first Monday's month through the month of the last teaching week's
// Saturday, in term order: spring 2010 gives 2010-03 ... 2010-07.
std::vector<std::chrono::year_month> termMonths(const core::Term& term);

// The month numbered monthNumber (1-12) in the year the term meets it; a month the term does
// not meet falls in the year of the first Monday.
std::chrono::year_month termMonth(const core::Term& term, unsigned monthNumber);

// 28 to 31.
unsigned daysIn(std::chrono::year_month month);

} // namespace orvanto::timetable
