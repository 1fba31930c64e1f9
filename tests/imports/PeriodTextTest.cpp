// Row headers (period labels) and column headers (weekday names) as exports write them.

#include "imports/entries/PeriodText.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvanto::imports {
namespace {

struct PeriodCase {
    std::string text;
    int first;
    int last;
};

void PrintTo(const PeriodCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ReadPeriodLabel : public testing::TestWithParam<PeriodCase> {};

TEST_P(ReadPeriodLabel, GivesTheSmallPeriods) {
    const auto periods = readPeriodLabel(GetParam().text);
    ASSERT_TRUE(periods.has_value());
    EXPECT_EQ(periods->first, GetParam().first);
    EXPECT_EQ(periods->last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ReadPeriodLabel,
    testing::Values(
        // 第N大节 alone is small periods 2N-1 and 2N.
        PeriodCase{"第一大节", 1, 2}, PeriodCase{"第二大节", 3, 4}, PeriodCase{"第三大节", 5, 6},
        PeriodCase{"第四大节", 7, 8}, PeriodCase{"第五大节", 9, 10}, PeriodCase{"第六大节", 11, 12},
        PeriodCase{"第1大节", 1, 2}, PeriodCase{"第一大节(1-2节)", 1, 2},
        PeriodCase{"第五大节\n第9,10,11节", 9, 11},
        // Small periods in the notations exports use.
        PeriodCase{"第1,2节", 1, 2}, PeriodCase{"第3-4节", 3, 4}, PeriodCase{"第1、2节", 1, 2},
        PeriodCase{"第一二节", 1, 2}, PeriodCase{"第三四五节", 3, 5}, PeriodCase{"第九十节", 9, 10},
        PeriodCase{"第十一、十二节", 11, 12}, PeriodCase{"第十一十二节", 11, 12},
        PeriodCase{"第十节", 10, 10}, PeriodCase{"第十三节", 13, 13}, PeriodCase{"1-2", 1, 2},
        PeriodCase{"1-2节", 1, 2}, PeriodCase{"01-02", 1, 2}, PeriodCase{"11-12", 11, 12},
        PeriodCase{"第1节", 1, 1}, PeriodCase{"1", 1, 1}, PeriodCase{"12", 12, 12},
        PeriodCase{"第１－２节", 1, 2}, PeriodCase{"第1~2节", 1, 2}, PeriodCase{"第1节课", 1, 1},
        PeriodCase{"第1节-第2节", 1, 2}, PeriodCase{"9,10,11", 9, 11}, PeriodCase{"第3小节", 3, 3},
        // With a part of the day, and clock times beside or below.
        PeriodCase{"上午第1节", 1, 1}, PeriodCase{"下午\n第5-6节", 5, 6},
        PeriodCase{"晚上 11", 11, 11}, PeriodCase{"第1节\n08:00-08:45", 1, 1},
        PeriodCase{"1\n8:00\n8:45", 1, 1}, PeriodCase{"第一大节(08:00-09:40)", 1, 2},
        PeriodCase{"第一大节（08：00～09：40）", 1, 2}, PeriodCase{"08:00\n第2节", 2, 2},
        PeriodCase{"1-2\r\n8:00-9:40", 1, 2}, PeriodCase{"第3节 10:10 - 10:55", 3, 3},
        PeriodCase{"  第1,2节\u3000", 1, 2}));

class RejectPeriodLabel : public testing::TestWithParam<std::string> {};

TEST_P(RejectPeriodLabel, GivesNothing) {
    EXPECT_FALSE(readPeriodLabel(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(NoLabel, RejectPeriodLabel,
                         testing::Values("", "上午", "下午", "星期一", "一", "一二", "节次", "第节",
                                         "第大节", "高等数学", "1-16周", "张三", "A101", "08:00",
                                         "8:00-8:45", "0", "第0节", "21", "2-1", "第2,1节", "1-",
                                         "-2", "2024-2025", "第1节 A101", "第1-2节(1-2)",
                                         "第十一大节", "1-2周", "123:45"));

struct WeekdayCase {
    std::string text;
    int weekday;
};

void PrintTo(const WeekdayCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ReadWeekdayName : public testing::TestWithParam<WeekdayCase> {};

TEST_P(ReadWeekdayName, GivesTheWeekday) {
    EXPECT_EQ(readWeekdayName(GetParam().text), GetParam().weekday);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReadWeekdayName,
    testing::Values(WeekdayCase{"星期一", 0}, WeekdayCase{"星期二", 1}, WeekdayCase{"星期三", 2},
                    WeekdayCase{"星期四", 3}, WeekdayCase{"星期五", 4}, WeekdayCase{"星期六", 5},
                    WeekdayCase{"星期日", 6}, WeekdayCase{"星期天", 6}, WeekdayCase{"周一", 0},
                    WeekdayCase{"周六", 5}, WeekdayCase{"周日", 6}, WeekdayCase{"周天", 6},
                    WeekdayCase{"一", 0}, WeekdayCase{"五", 4}, WeekdayCase{"日", 6},
                    WeekdayCase{"礼拜一", 0}, WeekdayCase{"礼拜天", 6}, WeekdayCase{"Monday", 0},
                    WeekdayCase{"TUESDAY", 1}, WeekdayCase{"wednesday", 2}, WeekdayCase{"Thu", 3},
                    WeekdayCase{"Thurs", 3}, WeekdayCase{"Tues", 1}, WeekdayCase{"Fri.", 4},
                    WeekdayCase{"Sat", 5}, WeekdayCase{"Sunday", 6}, WeekdayCase{"星期一  ", 0},
                    WeekdayCase{"星期三\u3000", 2}, WeekdayCase{"\n星期五\r\n", 4},
                    WeekdayCase{"星期 日", 6}, WeekdayCase{"星期一 Monday", 0},
                    WeekdayCase{"星期六\n(Sat)", 5}, WeekdayCase{"Sun.\n周日", 6}));

class RejectWeekdayName : public testing::TestWithParam<std::string> {};

TEST_P(RejectWeekdayName, GivesNothing) {
    EXPECT_FALSE(readWeekdayName(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(NoName, RejectWeekdayName,
                         testing::Values("", "星期", "周", "天", "七", "周七", "星期八", "两",
                                         "星期一二", "第一节", "一二", "Mo", "Monda", "Mondays",
                                         "Sun day x", "星期一 Tuesday", "星期一 高数", "(星期一)",
                                         "节次", "时间", "1", "高等数学"));

struct ClockRangeCase {
    std::string text;
    std::optional<int> minutes;
};

void PrintTo(const ClockRangeCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ReadClockRange : public testing::TestWithParam<ClockRangeCase> {};

TEST_P(ReadClockRange, GivesTheMinutesOfALabelThatIsARangeAlone) {
    EXPECT_EQ(readClockRange(GetParam().text), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ReadClockRange,
    testing::Values(ClockRangeCase{"08:00-09:40", 100}, ClockRangeCase{"8:00~8:45", 45},
                    ClockRangeCase{"（08:00－09:40）", 100}, ClockRangeCase{"08:00\n|\n09:40", 100},
                    ClockRangeCase{"19:00至21:25", 145}, ClockRangeCase{"14:00到15:40", 100},
                    ClockRangeCase{" 10:00 - 11:40 ", 100},
                    // A numbered label, one time, a backwards range, or other words: no range
                    // alone.
                    ClockRangeCase{"第1节 08:00-08:45", std::nullopt},
                    ClockRangeCase{"08:00", std::nullopt},
                    ClockRangeCase{"09:40-08:00", std::nullopt},
                    ClockRangeCase{"08:00-09:40-10:00", std::nullopt},
                    ClockRangeCase{"上午 08:00-09:40", std::nullopt},
                    ClockRangeCase{"高等数学 08:00-09:40", std::nullopt},
                    ClockRangeCase{"", std::nullopt}));

} // namespace
} // namespace orvanto::imports
