// The three forms of the main window's title line; each ends with the term's edition text.
#pragma once

#include "core/Term.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::timetable {

// "今天是2010年3月19日--星期五 (第3周)——我的课表——2010年Pellwick春季版"
std::string todayTitle(std::chrono::year_month_day today, std::int16_t week,
                       std::string_view edition = core::kDefaultEdition);
// "第5周的课表——我的课表——2010年Pellwick春季版"
std::string weekQueryTitle(std::int16_t week, std::string_view edition = core::kDefaultEdition);
// "2010年3月8日--星期一 (第2周的课表)——我的课表——2010年Pellwick春季版"
std::string dateQueryTitle(std::chrono::year_month_day date, std::int16_t week,
                           std::string_view edition = core::kDefaultEdition);

} // namespace orvanto::timetable
