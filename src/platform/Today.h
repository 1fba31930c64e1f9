// Today's date in the local time zone.
#pragma once

#include <chrono>
#include <ctime>

namespace orvanto::platform {

std::chrono::year_month_day localToday();
// The local date and time of day, to the second.
std::chrono::local_seconds localNow();

// The C library call that breaks a time into local fields differs per platform, so each
// platform defines this in its own file (TodayLinux.cpp, TodayWindows.cpp).
std::tm localTime(std::time_t time);

} // namespace orvanto::platform
