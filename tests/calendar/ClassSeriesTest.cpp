#include "calendar/ClassSeries.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace orvanto::calendar {
namespace {

const ClassLines kMaths = {"高等数学", "张明", "教3-201"};

std::vector<WeekMeeting> meetingsIn(const std::vector<int>& weeks, const ClassLines& lines = kMaths,
                                    int bigPeriod = 1, int weekday = 2) {
    std::vector<WeekMeeting> meetings;
    for (const int week : weeks) {
        meetings.push_back({bigPeriod, weekday, lines, static_cast<std::int16_t>(week)});
    }
    return meetings;
}

std::vector<int> range(int first, int last, int step = 1) {
    std::vector<int> weeks;
    for (int week = first; week <= last; week += step) {
        weeks.push_back(week);
    }
    return weeks;
}

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct WeekRun {
    int first;
    int interval;
    int count;
    bool operator==(const WeekRun&) const = default;
};

void PrintTo(const WeekRun& run, std::ostream* os) {
    *os << "{" << run.first << ", " << run.interval << ", " << run.count << "}";
}

struct GroupingCase {
    const char* name;
    std::vector<int> weeks;
    std::vector<WeekRun> runs;
};

class Grouping : public ::testing::TestWithParam<GroupingCase> {};

TEST_P(Grouping, FormsRegularSeriesThatCoverEveryWeekOnce) {
    const GroupingCase& c = GetParam();
    const std::vector<ClassSeries> series = groupIntoSeries(meetingsIn(c.weeks));
    std::vector<WeekRun> runs;
    std::multiset<int> covered;
    for (const ClassSeries& one : series) {
        EXPECT_EQ(one.lines, kMaths);
        EXPECT_EQ(one.bigPeriod, 1);
        EXPECT_EQ(one.weekday, 2);
        runs.push_back({one.firstWeek, one.interval, one.count});
        for (int i = 0; i < one.count; ++i) {
            covered.insert(one.firstWeek + i * one.interval);
        }
    }
    EXPECT_EQ(runs, c.runs);
    EXPECT_EQ(covered, std::multiset<int>(c.weeks.begin(), c.weeks.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, Grouping,
    ::testing::Values(
        GroupingCase{"weekly", range(1, 16), {{1, 1, 16}}},
        GroupingCase{"odd", range(1, 15, 2), {{1, 2, 8}}},
        GroupingCase{"even", range(2, 16, 2), {{2, 2, 8}}},
        GroupingCase{"gapInTheMiddle", joined(range(1, 4), range(7, 16)), {{1, 1, 4}, {7, 1, 10}}},
        GroupingCase{
            "oddWithAGap", joined(range(1, 5, 2), range(11, 15, 2)), {{1, 2, 3}, {11, 2, 3}}},
        GroupingCase{"singleWeek", {5}, {{5, 1, 1}}},
        GroupingCase{"twoLoneWeeks", {3, 20}, {{3, 1, 1}, {20, 1, 1}}},
        // Odd weeks to 9, then every week 10-12: the longer run from week 1 goes on to 11.
        GroupingCase{
            "oddThenWeekly", joined(range(1, 9, 2), range(10, 12)), {{1, 2, 6}, {10, 2, 2}}},
        GroupingCase{"twoDigitWeeks", range(10, 22, 2), {{10, 2, 7}}},
        GroupingCase{"outOfOrder", {4, 2, 3, 1}, {{1, 1, 4}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(Grouping, TwoClassesInOneSlotInDifferentWeeksAreSeparateSeries) {
    const ClassLines physics = {"大学物理实验", "王强", "物理实验中心"};
    std::vector<WeekMeeting> meetings = meetingsIn(range(1, 15, 2));
    for (const WeekMeeting& meeting : meetingsIn(range(2, 16, 2), physics)) {
        meetings.push_back(meeting);
    }
    const std::vector<ClassSeries> series = groupIntoSeries(meetings);
    const std::vector<ClassSeries> expected = {{1, 2, kMaths, 1, 2, 8}, {1, 2, physics, 2, 2, 8}};
    EXPECT_EQ(series, expected);
}

TEST(Grouping, TheSameClassInAnotherSlotIsAnotherSeries) {
    std::vector<WeekMeeting> meetings = meetingsIn(range(1, 4), kMaths, 0, 0);
    for (const WeekMeeting& meeting : meetingsIn(range(1, 4), kMaths, 0, 3)) {
        meetings.push_back(meeting);
    }
    const std::vector<ClassSeries> series = groupIntoSeries(meetings);
    const std::vector<ClassSeries> expected = {{0, 0, kMaths, 1, 1, 4}, {0, 3, kMaths, 1, 1, 4}};
    EXPECT_EQ(series, expected);
}

} // namespace
} // namespace orvanto::calendar
