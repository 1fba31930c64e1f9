#include "timetable/WeekRuns.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace orvanto::timetable {
namespace {

// Over random week sets: the runs are regular, in order, and cover every week exactly once.
TEST(WeekRuns, CoverEveryWeekOnceInRegularRuns) {
    std::mt19937 random(20260308);
    std::bernoulli_distribution taken(0.5);
    std::uniform_int_distribution<int> lastWeek(1, 99);
    for (int trial = 0; trial < 500; ++trial) {
        std::set<int> weeks;
        const int last = lastWeek(random);
        for (int week = 1; week <= last; ++week) {
            if (taken(random)) {
                weeks.insert(week);
            }
        }
        std::multiset<int> covered;
        int previousFirst = 0;
        for (const WeekRun& run : splitIntoWeekRuns(weeks)) {
            EXPECT_TRUE(run.interval == 1 || run.interval == 2);
            EXPECT_GE(run.count, 1);
            EXPECT_GT(run.firstWeek, previousFirst);
            previousFirst = run.firstWeek;
            for (int i = 0; i < run.count; ++i) {
                covered.insert(run.firstWeek + i * run.interval);
            }
        }
        EXPECT_EQ(covered, std::multiset<int>(weeks.begin(), weeks.end()));
    }
}

} // namespace
} // namespace orvanto::timetable
