// The teaching-week rule, titles and query calendar for terms other than the default one.
#include "timetable/TermCalendar.h"

#include "timetable/TeachingWeek.h"
#include "timetable/Titles.h"

#include <gtest/gtest.h>
#include <random>

using namespace orvanto::timetable;
using namespace std::chrono;
using orvanto::core::Term;

namespace {

Term termFrom(year_month_day firstMonday, int weeks) {
    Term term;
    term.firstMonday = firstMonday;
    term.weeks = weeks;
    term.edition = "2026年秋季学期";
    return term;
}

const Term kAutumn2026 = termFrom(2026y / September / 7, 20);
// Crosses February of a leap year and a year end.
const Term kWinter2024 = termFrom(2023y / December / 4, 16);

struct WeekCase {
    Term term;
    year_month_day date;
    std::int16_t week;
    bool teaching;
};

class WeekRuleForATerm : public ::testing::TestWithParam<WeekCase> {};

TEST_P(WeekRuleForATerm, CountsFromTheTermsFirstMonday) {
    const WeekCase& c = GetParam();
    const auto week = teachingWeekOf(c.date, c.term);
    ASSERT_TRUE(week.ok());
    EXPECT_EQ(week.value(), c.week);
    EXPECT_EQ(isTeachingWeek(week.value(), c.term), c.teaching);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, WeekRuleForATerm,
                         ::testing::Values(WeekCase{kAutumn2026, 2026y / September / 6, 0, false},
                                           WeekCase{kAutumn2026, 2026y / September / 7, 1, true},
                                           WeekCase{kAutumn2026, 2026y / September / 16, 2, true},
                                           WeekCase{kAutumn2026, 2026y / December / 31, 17, true},
                                           WeekCase{kAutumn2026, 2027y / January / 1, 17, true},
                                           WeekCase{kAutumn2026, 2027y / January / 10, 18, true},
                                           WeekCase{kAutumn2026, 2027y / January / 24, 20, true},
                                           WeekCase{kAutumn2026, 2027y / January / 25, 21, false},
                                           WeekCase{kAutumn2026, 2025y / September / 7, -52, false},
                                           WeekCase{kWinter2024, 2024y / February / 29, 13, true},
                                           WeekCase{kWinter2024, 2024y / March / 24, 16, true},
                                           WeekCase{kWinter2024, 2024y / March / 25, 17, false}));

// Whatever the term and date, the week found is the one whose Monday..Sunday holds the date.
TEST(WeekRuleForATerm, WeekHoldsTheDate) {
    std::mt19937 random(20260907);
    std::uniform_int_distribution<int> dayOffset(-4000, 4000);
    std::uniform_int_distribution<int> mondayOffset(0, 3000);
    for (int i = 0; i < 2000; ++i) {
        const sys_days monday = sys_days{2000y / January / 3} + weeks{mondayOffset(random)};
        const sys_days date = monday + days{dayOffset(random)};
        const auto week =
            teachingWeekOf(year_month_day{date}, termFrom(year_month_day{monday}, 20));
        ASSERT_TRUE(week.ok());
        const sys_days weekStart = monday + days{7 * (week.value() - 1)};
        EXPECT_LE(weekStart, date);
        EXPECT_LT(date, weekStart + days{7});
    }
}

TEST(TitlesForATerm, EndWithTheEdition) {
    EXPECT_EQ(todayTitle(2026y / September / 16, 2, kAutumn2026.edition),
              "今天是2026年9月16日--星期三 (第2周)——我的课表——2026年秋季学期");
    EXPECT_EQ(weekQueryTitle(5, kAutumn2026.edition), "第5周的课表——我的课表——2026年秋季学期");
    EXPECT_EQ(dateQueryTitle(2027y / January / 10, 18, kAutumn2026.edition),
              "2027年1月10日--星期日 (第18周的课表)——我的课表——2026年秋季学期");
}

struct MonthsCase {
    const char* name;
    Term term;
    std::vector<year_month> months;
};

class TermMonths : public ::testing::TestWithParam<MonthsCase> {};

TEST_P(TermMonths, RunFromTheFirstMondayToTheLastSaturday) {
    EXPECT_EQ(termMonths(GetParam().term), GetParam().months);
}

INSTANTIATE_TEST_SUITE_P(
    Terms, TermMonths,
    ::testing::Values(
        MonthsCase{"spring2010",
                   Term{},
                   {2010y / March, 2010y / April, 2010y / May, 2010y / June, 2010y / July}},
        MonthsCase{"autumn2026",
                   kAutumn2026,
                   {2026y / September, 2026y / October, 2026y / November, 2026y / December,
                    2027y / January}},
        MonthsCase{"winter2024",
                   kWinter2024,
                   {2023y / December, 2024y / January, 2024y / February, 2024y / March}},
        // One week from Monday 29 June: its Saturday is 4 July.
        MonthsCase{"oneWeek", termFrom(2026y / June / 29, 1), {2026y / June, 2026y / July}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TermMonths, EachMonthInTheYearTheTermMeetsIt) {
    EXPECT_EQ(termMonth(kAutumn2026, 1), 2027y / January);
    EXPECT_EQ(termMonth(kAutumn2026, 12), 2026y / December);
    EXPECT_EQ(termMonth(kWinter2024, 2), 2024y / February);
    EXPECT_EQ(daysIn(termMonth(kWinter2024, 2)), 29u);
    EXPECT_EQ(daysIn(termMonth(kAutumn2026, 2)), 28u); // not met: the first Monday's year
    EXPECT_EQ(termMonth(Term{}, 8), 2010y / August);
    EXPECT_EQ(lastTermSaturday(Term{}), 2010y / July / 31);
}

} // namespace
