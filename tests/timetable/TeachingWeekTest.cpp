#include "timetable/TeachingWeek.h"

#include "core/Weekdays.h"
#include "timetable/Titles.h"

#include <gtest/gtest.h>

using namespace orvanto::timetable;
using std::chrono::year;
using std::chrono::year_month_day;

namespace {

year_month_day ymd(int y, unsigned m, unsigned d) {
    return {year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

struct WeekCase {
    year_month_day date;
    std::int16_t week;
};

class TeachingWeekRule : public ::testing::TestWithParam<WeekCase> {};

TEST_P(TeachingWeekRule, CountsMondaysFromTheTermStart) {
    auto week = teachingWeekOf(GetParam().date);
    ASSERT_TRUE(week.ok());
    EXPECT_EQ(week.value(), GetParam().week);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TeachingWeekRule,
    ::testing::Values(WeekCase{ymd(2010, 3, 1), 1}, WeekCase{ymd(2010, 3, 7), 1},
                      WeekCase{ymd(2010, 3, 8), 2}, WeekCase{ymd(2010, 3, 19), 3},
                      WeekCase{ymd(2010, 7, 31), 22}, WeekCase{ymd(2010, 8, 1), 22},
                      WeekCase{ymd(2010, 8, 2), 23}, WeekCase{ymd(2010, 2, 28), 0},
                      WeekCase{ymd(2010, 2, 22), 0}, WeekCase{ymd(2010, 2, 21), -1},
                      WeekCase{ymd(2009, 3, 1), -52}, WeekCase{ymd(2026, 12, 7), 876}));

TEST(TeachingWeek, WeeksBeyondSixteenBitsOverflow) {
    auto week = teachingWeekOf(ymd(2700, 1, 1));
    ASSERT_FALSE(week.ok());
    EXPECT_EQ(week.failure().status, orvanto::core::Status::WeekOutOfRange);
    EXPECT_TRUE(teachingWeekOf(ymd(1300, 1, 1)).failure().status ==
                orvanto::core::Status::WeekOutOfRange);
}

TEST(TeachingWeek, TeachingWeeksAreOneToTwentyTwo) {
    EXPECT_FALSE(isTeachingWeek(0));
    EXPECT_TRUE(isTeachingWeek(1));
    EXPECT_TRUE(isTeachingWeek(22));
    EXPECT_FALSE(isTeachingWeek(23));
}

TEST(TeachingWeek, WeekdayIndexAndName) {
    EXPECT_EQ(weekdayIndex(ymd(2010, 3, 1)), 0);
    EXPECT_EQ(orvanto::core::weekdayName(weekdayIndex(ymd(2010, 3, 19))), "星期五");
    EXPECT_EQ(weekdayIndex(ymd(2010, 3, 7)), 6);
    EXPECT_EQ(orvanto::core::weekdayName(6), "星期日");
}

TEST(Titles, TodayForm) {
    EXPECT_EQ(todayTitle(ymd(2010, 3, 19), 3),
              "今天是2010年3月19日--星期五 (第3周)——我的课表——2010年Pellwick春季版");
    EXPECT_EQ(todayTitle(ymd(2010, 2, 21), -1),
              "今天是2010年2月21日--星期日 (第-1周)——我的课表——2010年Pellwick春季版");
    EXPECT_EQ(todayTitle(ymd(2010, 2, 28), 0),
              "今天是2010年2月28日--星期日 (第0周)——我的课表——2010年Pellwick春季版");
}

TEST(Titles, QueryForms) {
    EXPECT_EQ(weekQueryTitle(5), "第5周的课表——我的课表——2010年Pellwick春季版");
    EXPECT_EQ(weekQueryTitle(0), "第0周的课表——我的课表——2010年Pellwick春季版");
    EXPECT_EQ(dateQueryTitle(ymd(2010, 3, 8), 2),
              "2010年3月8日--星期一 (第2周的课表)——我的课表——2010年Pellwick春季版");
    EXPECT_EQ(dateQueryTitle(ymd(2010, 7, 31), 22),
              "2010年7月31日--星期六 (第22周的课表)——我的课表——2010年Pellwick春季版");
}

} // namespace
