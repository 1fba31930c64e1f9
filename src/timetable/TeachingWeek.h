// The teaching-week rule of the 2010 spring term and the weekday names.
#pragma once

#include "spreadsheet/Failure.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace orvanto::timetable {

using spreadsheet::Result;

inline constexpr std::int16_t kFirstTeachingWeek = 1;
inline constexpr std::int16_t kLastTeachingWeek = 22;
// Monday of week 1.
inline constexpr std::chrono::year_month_day kTermStart{std::chrono::year{2010},
                                                        std::chrono::month{3}, std::chrono::day{1}};

// 1 + floor((date - 2010-03-01) / 7); fails with overflow (error 6) outside 16 bits.
Result<std::int16_t> weekno(std::chrono::year_month_day date);

inline bool isTeachingWeek(std::int16_t week) {
    return week >= kFirstTeachingWeek && week <= kLastTeachingWeek;
}

// 0 for Monday .. 6 for Sunday.
int weekdayIndex(std::chrono::year_month_day date);

// "星期一" .. "星期日" for index 0..6.
std::string_view weekdayName(int index);

} // namespace orvanto::timetable
