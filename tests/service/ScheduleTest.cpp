// The Schedule asked directly, as both programs ask it: today's week, a week, the week of a date
// and a typed week, over terms and dates at and around the term's edges.
#include "service/Schedule.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace orvanto::service;
using namespace std::chrono;
using orvanto::core::Status;

namespace {

const std::string kSamples = std::string(ORVANTO_TEST_DATA) + "/samples/";
// Two blocks a day, Monday to Saturday: "甲" in weeks 1-9, "乙" in weeks 10-22.
const std::string kTimetable = kSamples + "windows-timetable.xlsx";
// The same with an error value in Monday's "乙" block of big period 3.
const std::string kFailing = kSamples + "windows-failing.xlsx";

year_month_day ymd(int y, unsigned m, unsigned d) {
    return {year{y}, month{m}, day{d}};
}

// The default 2010 term, or one set as the command line sets it.
TermSource termFrom(std::optional<year_month_day> start = {}, std::optional<int> weeks = {}) {
    TermSource source;
    source.start = start;
    source.weeks = weeks;
    return source;
}

Schedule openOn(year_month_day today, const TermSource& term = termFrom(),
                const std::string& workbook = kTimetable) {
    Schedule schedule(Clock{[today] { return today; }, [today] { return sys_days{today}; }});
    schedule.open(term, WorkbookSource{WorkbookSource::Kind::File, workbook});
    return schedule;
}

// Line 1 of a cell: the course of the block shown, empty for a free slot.
std::string courseIn(const WeekView& view, int bigPeriod, int weekday) {
    const auto& cells = view.grid->cells;
    const auto index = static_cast<std::size_t>(cellIndex(bigPeriod, weekday));
    return index < cells.size() ? cells[index].lines[0] : "(not composed)";
}

constexpr std::string_view kEnding = "——我的课表——2010年Pellwick春季版";

struct TodayCase {
    const char* name;
    year_month_day today;
    TermSource term;
    std::optional<std::int16_t> week;
    bool inTerm;
    std::string title; // without the ending every title has
    std::optional<int> markedWeekday;
    Hint hint;
    std::string mondayFirstPeriod; // "" when no grid is composed
};

class ScheduleToday : public ::testing::TestWithParam<TodayCase> {};

TEST_P(ScheduleToday, AnswersTheStartUpsView) {
    const TodayCase& c = GetParam();
    const WeekView view = openOn(c.today, c.term).today();
    EXPECT_EQ(view.week, c.week);
    EXPECT_EQ(view.inTerm, c.inTerm);
    EXPECT_EQ(view.title, c.title.empty() ? "" : c.title + std::string(kEnding));
    EXPECT_EQ(view.markedWeekday, c.markedWeekday);
    EXPECT_EQ(view.hint, c.hint);
    EXPECT_FALSE(view.report.has_value());
    if (c.mondayFirstPeriod.empty()) {
        EXPECT_TRUE(!view.grid || view.grid->cells.empty());
    } else {
        ASSERT_TRUE(view.grid.has_value());
        EXPECT_EQ(view.grid->cells.size(), static_cast<std::size_t>(kGridCells));
        EXPECT_EQ(courseIn(view, 0, 0), c.mondayFirstPeriod);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TermsAndDates, ScheduleToday,
    ::testing::Values(
        TodayCase{"FridayOfWeek3", ymd(2010, 3, 19), termFrom(), 3, true,
                  "今天是2010年3月19日--星期五 (第3周)", 4, Hint::None, "课00甲"},
        TodayCase{"FirstMonday", ymd(2010, 3, 1), termFrom(), 1, true,
                  "今天是2010年3月1日--星期一 (第1周)", 0, Hint::None, "课00甲"},
        TodayCase{"SundayBeforeTheTerm", ymd(2010, 2, 28), termFrom(), 0, false,
                  "今天是2010年2月28日--星期日 (第0周)", 6, Hint::NotClassTime, ""},
        TodayCase{"LastSundayOfTheTerm", ymd(2010, 8, 1), termFrom(), 22, true,
                  "今天是2010年8月1日--星期日 (第22周)", 6, Hint::None, "课00乙"},
        TodayCase{"MondayAfterTheTerm", ymd(2010, 8, 2), termFrom(), 23, false,
                  "今天是2010年8月2日--星期一 (第23周)", 0, Hint::NotClassTime, ""},
        TodayCase{"TooFarToNumber", ymd(2700, 1, 1), termFrom(), std::nullopt, false, "",
                  std::nullopt, Hint::NotClassTime, ""},
        TodayCase{"TermSetByStart", ymd(2025, 9, 10), termFrom(ymd(2025, 9, 1), 18), 2, true,
                  "今天是2025年9月10日--星期三 (第2周)", 2, Hint::None, "课00甲"},
        // A start on a Wednesday counts from that week's Monday.
        TodayCase{"StartOnAWednesday", ymd(2025, 9, 8), termFrom(ymd(2025, 9, 3), 18), 2, true,
                  "今天是2025年9月8日--星期一 (第2周)", 0, Hint::None, "课00甲"},
        TodayCase{"PastAShortTerm", ymd(2025, 9, 15), termFrom(ymd(2025, 9, 1), 2), 3, false,
                  "今天是2025年9月15日--星期一 (第3周)", 0, Hint::NotClassTime, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Schedule, TodayWithoutAWorkbookAsksForThePath) {
    const WeekView view = openOn(ymd(2010, 3, 19), termFrom(), "").today();
    EXPECT_EQ(view.hint, Hint::NoPath);
    EXPECT_EQ(view.week, 3);
    EXPECT_FALSE(view.grid.has_value());
}

TEST(Schedule, AWorkbookThatCannotBeLoadedShowsAnEmptyGridAndWhy) {
    const Schedule schedule = openOn(ymd(2010, 3, 19), termFrom(), kSamples + "no-such.xlsx");
    ASSERT_TRUE(schedule.loadFailure().has_value());
    const WeekView view = schedule.today();
    EXPECT_EQ(view.hint, Hint::LoadFailed);
    ASSERT_TRUE(view.grid.has_value());
    EXPECT_TRUE(view.grid->cells.empty());
    // Asked for a week, the same: never another workbook's cells.
    EXPECT_EQ(schedule.week(3).hint, Hint::LoadFailed);
}

struct WeekCase {
    std::int16_t week;
    bool inTerm;
    std::string mondayFirstPeriod;
    std::string sundayFirstPeriod;
};

class ScheduleWeek : public ::testing::TestWithParam<WeekCase> {};

TEST_P(ScheduleWeek, ShowsTheBlocksThatMeetAndMarksNoDay) {
    const WeekCase& c = GetParam();
    const WeekView view = openOn(ymd(2010, 3, 19)).week(c.week);
    EXPECT_EQ(view.week, c.week);
    EXPECT_EQ(view.inTerm, c.inTerm);
    EXPECT_EQ(view.title, "第" + std::to_string(c.week) + "周的课表" + std::string(kEnding));
    EXPECT_FALSE(view.markedWeekday.has_value());
    EXPECT_EQ(view.hint, Hint::None);
    ASSERT_TRUE(view.grid.has_value());
    EXPECT_EQ(courseIn(view, 0, 0), c.mondayFirstPeriod);
    EXPECT_EQ(courseIn(view, 0, 6), c.sundayFirstPeriod);
}

// Weeks outside the term are composed as asked: no block admits them.
INSTANTIATE_TEST_SUITE_P(Weeks, ScheduleWeek,
                         ::testing::Values(WeekCase{1, true, "课00甲", ""},
                                           WeekCase{9, true, "课00甲", ""},
                                           WeekCase{10, true, "课00乙", ""},
                                           WeekCase{22, true, "课00乙", ""},
                                           WeekCase{0, false, "", ""}, WeekCase{23, false, "", ""},
                                           WeekCase{-4, false, "", ""}));

TEST(Schedule, AWeekWhoseCellCannotBeReadIsPartlyShownAndReported) {
    const Schedule schedule = openOn(ymd(2010, 3, 19), termFrom(), kFailing);
    EXPECT_EQ(schedule.week(9).hint, Hint::None);
    const WeekView view = schedule.week(10);
    EXPECT_EQ(view.hint, Hint::PartlyShown);
    ASSERT_TRUE(view.report.has_value());
    EXPECT_EQ(view.report->status, Status::TypeMismatch);
    // Cells before the one that failed are written; big period 3's Monday is where it stops.
    EXPECT_EQ(view.grid->cells.size(), static_cast<std::size_t>(cellIndex(3, 0)));
}

struct DateCase {
    year_month_day date;
    TermSource term;
    std::optional<std::int16_t> week;
    std::optional<int> markedWeekday;
    std::string title;
};

class ScheduleDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(ScheduleDate, MarksTheDaysColumnInItsWeek) {
    const DateCase& c = GetParam();
    const Schedule schedule = openOn(ymd(2010, 3, 19), c.term);
    const std::optional<WeekView> view = schedule.date(c.date);
    const auto weekOf = schedule.weekOf(c.date);
    if (!c.week) {
        EXPECT_FALSE(view.has_value());
        ASSERT_FALSE(weekOf.ok());
        EXPECT_EQ(weekOf.failure().status, Status::WeekOutOfRange);
        return;
    }
    ASSERT_TRUE(view.has_value());
    ASSERT_TRUE(weekOf.ok());
    EXPECT_EQ(weekOf.value(), *c.week);
    EXPECT_EQ(view->week, c.week);
    EXPECT_EQ(view->inTerm, schedule.inTerm(*c.week));
    EXPECT_EQ(view->markedWeekday, c.markedWeekday);
    EXPECT_EQ(view->title, c.title + std::string(kEnding));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, ScheduleDate,
    ::testing::Values(
        DateCase{ymd(2010, 3, 21), termFrom(), 3, 6, "2010年3月21日--星期日 (第3周的课表)"},
        DateCase{ymd(2010, 3, 22), termFrom(), 4, 0, "2010年3月22日--星期一 (第4周的课表)"},
        DateCase{ymd(2010, 2, 22), termFrom(), 0, 0, "2010年2月22日--星期一 (第0周的课表)"},
        DateCase{ymd(2009, 12, 31), termFrom(), -8, 3, "2009年12月31日--星期四 (第-8周的课表)"},
        DateCase{ymd(2026, 3, 4), termFrom(ymd(2026, 3, 2), 16), 1, 2,
                 "2026年3月4日--星期三 (第1周的课表)"},
        DateCase{ymd(3000, 1, 1), termFrom(), std::nullopt, std::nullopt, ""}));

struct TypedCase {
    std::u16string text;
    std::optional<std::int16_t> week; // none: the text names no week
};

class ScheduleTypedWeek : public ::testing::TestWithParam<TypedCase> {};

TEST_P(ScheduleTypedWeek, ReadsTheWeekAsTheQueryWindowDoes) {
    const TypedCase& c = GetParam();
    const auto view = openOn(ymd(2010, 3, 19)).typedWeek(c.text);
    if (!c.week) {
        ASSERT_FALSE(view.ok());
        EXPECT_EQ(view.failure().status, Status::Overflow);
        return;
    }
    ASSERT_TRUE(view.ok());
    EXPECT_EQ(view.value().week, c.week);
    EXPECT_FALSE(view.value().markedWeekday.has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, ScheduleTypedWeek,
                         ::testing::Values(TypedCase{u"5", 5}, TypedCase{u"5周", 5},
                                           TypedCase{u" 12", 12}, TypedCase{u"", 0},
                                           TypedCase{u"周", 0}, TypedCase{u"2.5", 2},
                                           TypedCase{u"99999", std::nullopt}));

TEST(Schedule, InTermFollowsTheTermsLength) {
    const Schedule defaultTerm = openOn(ymd(2010, 3, 19));
    const Schedule shortTerm = openOn(ymd(2010, 3, 19), termFrom(ymd(2010, 3, 1), 4));
    for (const auto& [week, inDefault, inShort] : {std::tuple{0, false, false},
                                                   {1, true, true},
                                                   {4, true, true},
                                                   {5, true, false},
                                                   {22, true, false},
                                                   {23, false, false}}) {
        const auto w = static_cast<std::int16_t>(week);
        EXPECT_EQ(defaultTerm.inTerm(w), inDefault) << week;
        EXPECT_EQ(shortTerm.inTerm(w), inShort) << week;
        EXPECT_EQ(shortTerm.week(w).inTerm, inShort) << week;
    }
}

} // namespace
