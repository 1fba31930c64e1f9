// The three forms of the main window's title line.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace orvanto::timetable {

// "今天是2010年3月19日--星期五 (第3周)——我的课表——2010年Pellwick春季版"
std::string todayTitle(std::chrono::year_month_day today, std::int16_t week);
// "第5周的课表——我的课表——2010年Pellwick春季版"
std::string weekQueryTitle(std::int16_t week);
// "2010年3月8日--星期一 (第2周的课表)——我的课表——2010年Pellwick春季版"
std::string dateQueryTitle(std::chrono::year_month_day date, std::int16_t week);

} // namespace orvanto::timetable
