#include "Today.h"

namespace orvanto::platform {

std::chrono::year_month_day localToday() {
    const std::tm local = localTime(std::time(nullptr));
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

} // namespace orvanto::platform
