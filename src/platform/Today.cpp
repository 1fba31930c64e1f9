#include "Today.h"

#include <algorithm>

namespace orvanto::platform {

std::chrono::year_month_day localToday() {
    return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(localNow())};
}

std::chrono::local_seconds localNow() {
    const std::tm local = localTime(std::time(nullptr));
    const std::chrono::year_month_day date{
        std::chrono::year{local.tm_year + 1900},
        std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
        std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
    // A leap second (tm_sec 60) counts as the last second of its minute.
    return std::chrono::local_days{date} + std::chrono::hours{local.tm_hour} +
           std::chrono::minutes{local.tm_min} + std::chrono::seconds{std::min(local.tm_sec, 59)};
}

} // namespace orvanto::platform
