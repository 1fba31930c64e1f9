// Classes of an import that meet at the same time: same weekday, overlapping small periods and
// a week in common; a table of pairs, then a whole export where only some rows clash.
#include "imports/ClassClashes.h"

#include "WeekSets.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using orvanto::imports::clashingClasses;
using orvanto::imports::ImportedClass;
using orvanto::imports::meetTogether;
using orvanto::imports::WeekSet;
using orvanto::importtests::weeks;

ImportedClass lesson(int weekday, int first, int last, WeekSet set) {
    ImportedClass c;
    c.course = "课";
    c.weekday = weekday;
    c.periods = {first, last};
    c.weeks = set;
    return c;
}

struct PairCase {
    const char* name;
    ImportedClass a;
    ImportedClass b;
    bool together;
};

class Pair : public ::testing::TestWithParam<PairCase> {};

TEST_P(Pair, MeetsTogetherOnlyWhenDayPeriodsAndWeeksAllMeet) {
    const PairCase& c = GetParam();
    EXPECT_EQ(meetTogether(c.a, c.b), c.together);
    EXPECT_EQ(meetTogether(c.b, c.a), c.together);
    const std::vector<std::size_t> expected =
        c.together ? std::vector<std::size_t>{0, 1} : std::vector<std::size_t>{};
    EXPECT_EQ(clashingClasses({c.a, c.b}), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pair,
    ::testing::Values(PairCase{"sameSlotSameWeeks", lesson(0, 3, 4, weeks(1, 16)),
                               lesson(0, 3, 4, weeks(1, 16)), true},
                      PairCase{"nestedWeeks", lesson(0, 3, 4, weeks(1, 16)),
                               lesson(0, 3, 4, weeks(6, 10)), true},
                      PairCase{"weeksOverlapByOne", lesson(1, 1, 2, weeks(1, 8)),
                               lesson(1, 1, 2, weeks(8, 16)), true},
                      PairCase{"weeksFollowEachOther", lesson(1, 1, 2, weeks(1, 8)),
                               lesson(1, 1, 2, weeks(9, 16)), false},
                      PairCase{"oddAgainstEven", lesson(2, 5, 6, weeks(1, 15, 2)),
                               lesson(2, 5, 6, weeks(2, 16, 2)), false},
                      PairCase{"oddAgainstEveryWeek", lesson(2, 5, 6, weeks(1, 15, 2)),
                               lesson(2, 5, 6, weeks(1, 16)), true},
                      PairCase{"periodsOverlapByOne", lesson(3, 1, 3, weeks(1, 16)),
                               lesson(3, 3, 4, weeks(1, 16)), true},
                      PairCase{"periodsFollowEachOther", lesson(3, 1, 2, weeks(1, 16)),
                               lesson(3, 3, 4, weeks(1, 16)), false},
                      PairCase{"longClassOverShortOne", lesson(4, 1, 4, weeks(1, 16)),
                               lesson(4, 3, 3, weeks(5, 5)), true},
                      PairCase{"otherWeekday", lesson(0, 3, 4, weeks(1, 16)),
                               lesson(1, 3, 4, weeks(1, 16)), false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ClashingClasses, NamesEveryRowThatClashesAndNoOther) {
    const std::vector<ImportedClass> classes = {
        lesson(0, 1, 2, weeks(1, 16)), // 0: alone on Monday morning
        lesson(2, 3, 4, weeks(1, 16)), // 1: clashes with 4 in weeks 6-16
        lesson(0, 3, 4, weeks(1, 8)),  // 2: alone, 5 starts in week 9
        lesson(4, 1, 4, weeks(1, 16)), // 3: a long class over 6 and 7
        lesson(2, 3, 4, weeks(6, 17)), // 4
        lesson(0, 3, 4, weeks(9, 16)), // 5
        lesson(4, 1, 1, weeks(2, 2)),  // 6
        lesson(4, 4, 5, weeks(1, 16)), // 7: periods 4 and 5 reach into 3's period 4
        lesson(4, 5, 6, weeks(1, 16)), // 8: after 3, overlaps 7 only
        lesson(6, 1, 2, {}),           // 9: no weeks at all
        lesson(6, 1, 2, weeks(1, 16)), // 10
    };
    EXPECT_EQ(clashingClasses(classes), (std::vector<std::size_t>{1, 3, 4, 6, 7, 8}));
    EXPECT_TRUE(clashingClasses({}).empty());
}

} // namespace
