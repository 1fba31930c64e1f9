// The teaching-week rule: which week of the term a date falls in, and the weekday index.
#pragma once

#include "core/Failure.h"
#include "core/Term.h"

#include <chrono>
#include <cstdint>

namespace orvanto::timetable {

using core::Result;

// 1 + floor((date - the term's first Monday) / 7); fails with overflow (error 6) outside 16 bits.
Result<std::int16_t> teachingWeekOf(std::chrono::year_month_day date, const core::Term& term = {});

// Weeks 1 to the term's number of weeks are teaching weeks.
inline bool isTeachingWeek(std::int16_t week, const core::Term& term = {}) {
    return week >= 1 && week <= term.weeks;
}

// 0 for Monday .. 6 for Sunday.
int weekdayIndex(std::chrono::year_month_day date);

} // namespace orvanto::timetable
