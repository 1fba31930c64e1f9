// Row and column headers of school exports: period labels ("第一大节", "第1,2节", "第一二节",
// "第十一、十二节", "1-2", "第1节\n08:00-08:45", "1") and weekday names ("星期一", "周日",
// "一", "Monday", "星期天  ").
#pragma once

#include "imports/ImportedClass.h"

#include <optional>
#include <string_view>

namespace orvanto::imports {

// The small periods a period label names; 第N大节 alone means small periods 2N-1 and 2N.
// Clock times beside the label are allowed and ignored. Nothing when it is no period label.
std::optional<SmallPeriods> readPeriodLabel(std::string_view text);

// The minutes a row label spans when it is a clock range alone ("08:00-09:40", "8:00\n|\n9:40"),
// as some exports label their rows without numbering the periods; nothing otherwise.
std::optional<int> readClockRange(std::string_view text);

// The weekday a header names, 0 Monday .. 6 Sunday as everywhere; nothing when it names none.
std::optional<int> readWeekdayName(std::string_view text);

} // namespace orvanto::imports
