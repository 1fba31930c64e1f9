#include "Titles.h"

#include "TeachingWeek.h"
#include "core/Weekdays.h"

#include <cstdio>

namespace orvanto::timetable {

namespace {

constexpr std::string_view kTitleJoin = "——我的课表——";

// "yyyy年M月d日--"
std::string chineseDate(std::chrono::year_month_day date) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d年%u月%u日--", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string datedTitle(std::chrono::year_month_day date, std::int16_t week,
                       std::string_view weekSuffix, std::string_view edition) {
    std::string title = chineseDate(date);
    title += core::weekdayName(weekdayIndex(date));
    title += " (第";
    title += std::to_string(week);
    title += weekSuffix;
    title += kTitleJoin;
    title += edition;
    return title;
}

} // namespace

std::string todayTitle(std::chrono::year_month_day today, std::int16_t week,
                       std::string_view edition) {
    return "今天是" + datedTitle(today, week, "周)", edition);
}

std::string weekQueryTitle(std::int16_t week, std::string_view edition) {
    return "第" + std::to_string(week) + "周的课表" + std::string(kTitleJoin) +
           std::string(edition);
}

std::string dateQueryTitle(std::chrono::year_month_day date, std::int16_t week,
                           std::string_view edition) {
    return datedTitle(date, week, "周的课表)", edition);
}

} // namespace orvanto::timetable
