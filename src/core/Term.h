// The term a timetable belongs to: the Monday of week 1, how many teaching weeks it has, the
// edition text that ends every title line, and the clock times of the five big periods.
// The default is the spring term of 2010.
#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace orvanto::core {

inline constexpr int kBigPeriods = 5;
inline constexpr int kMinTermWeeks = 1;
inline constexpr int kMaxTermWeeks = 30;
inline constexpr std::string_view kDefaultEdition = "2010年Pellwick春季版";
// The years a term may start in: what the term window offers, and all term.ini and the command
// line accept.
inline constexpr int kFirstTermYear = 1900;
inline constexpr int kLastTermYear = 9999;

// Minutes since midnight.
struct PeriodTime {
    int start = 0;
    int end = 0;
    bool operator==(const PeriodTime&) const = default;
};

struct Term {
    std::chrono::year_month_day firstMonday{std::chrono::year{2010}, std::chrono::month{3},
                                            std::chrono::day{1}};
    int weeks = 22;
    std::string edition{kDefaultEdition};
    std::array<PeriodTime, kBigPeriods> periods{{{8 * 60, 9 * 60 + 40},
                                                 {10 * 60, 11 * 60 + 40},
                                                 {14 * 60, 15 * 60 + 40},
                                                 {16 * 60, 17 * 60 + 40},
                                                 {19 * 60, 20 * 60 + 40}}};

    bool operator==(const Term&) const = default;
};

inline bool isTermStartYear(std::chrono::year year) {
    return year >= std::chrono::year{kFirstTermYear} && year <= std::chrono::year{kLastTermYear};
}

// The Monday of the date's week: a term whose first day is another day counts from it.
inline std::chrono::year_month_day mondayOf(std::chrono::year_month_day date) {
    const std::chrono::sys_days day{date};
    return std::chrono::year_month_day{
        day - std::chrono::days{std::chrono::weekday{day}.iso_encoding() - 1}};
}

} // namespace orvanto::core
