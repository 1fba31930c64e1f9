// The one weekday table: index 0 is Monday, 6 is Sunday. Titles name Sunday "星期日"; the
// grid's column heading reads "星期天".
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orvanto::core {

inline constexpr int kWeekdays = 7;

inline constexpr std::array<std::string_view, kWeekdays> kWeekdayNames = {
    "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};

inline constexpr std::array<std::string_view, kWeekdays> kWeekdayHeadings = {
    "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期天"};

inline std::string_view weekdayName(int index) {
    return kWeekdayNames.at(static_cast<std::size_t>(index));
}

} // namespace orvanto::core
