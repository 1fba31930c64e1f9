#include "timetable/GridComposer.h"

#include "FakeSheet.h"

#include <gtest/gtest.h>

using namespace orvanto::timetable;
using orvanto::core::Failure;
using orvanto::core::Result;
using orvanto::core::Status;
using orvanto::testing::FakeSheet;

namespace {

// Markers on rows 3, 13, 23, 33, 43, 53: two blocks per big period.
constexpr MarkerRows kMarkers = {3, 13, 23, 33, 43, 53};

FakeSheet weekOneSheet() {
    FakeSheet sheet;
    // Monday, big period 0: a full block.
    sheet.set('C', 3, "高等数学")
        .set('C', 4, "{第1-16周}")
        .set('C', 5, "张明")
        .set('C', 6, "教3-201");
    // Tuesday, big period 1: line 2 empty.
    sheet.set('D', 13, "英语").set('D', 14, "{第1-16周}").set('D', 16, "教1-101");
    // Wednesday, big period 2: a block whose three lines are empty.
    sheet.set('E', 24, "{第1-16周}");
    // Friday, big period 4, second block.
    sheet.set('G', 48, "体育").set('G', 49, "{第1-16周}").set('G', 50, "王").set('G', 51, "操场");
    return sheet;
}

TEST(GridComposition, CaptionsJoinThreeLinesAndHoverTextsSpaceThem) {
    const FakeSheet sheet = weekOneSheet();
    const GridComposition grid = composeGrid(sheet, kMarkers, 1);
    ASSERT_FALSE(grid.failure);
    ASSERT_EQ(grid.cells.size(), 35u);
    const std::vector<std::pair<int, GridCell>> expected = {
        {0,
         {"高等数学\r\n张明\r\n教3-201",
          "高等数学   张明  教3-201",
          {"高等数学", "张明", "教3-201"}}},
        {8, {"英语\r\n\r\n教1-101", "英语     教1-101", {"英语", "", "教1-101"}}},
        {16, {"\r\n\r\n", "", {}}},
        {32, {"体育\r\n王\r\n操场", "体育   王  操场", {"体育", "王", "操场"}}},
        {1, {"\r\n\r\n", "", {}}},
        {34, {"\r\n\r\n", "", {}}},
    };
    for (const auto& [index, cell] : expected) {
        EXPECT_EQ(grid.cells[static_cast<std::size_t>(index)], cell) << "cell " << index;
    }
}

TEST(GridComposition, ClassFreeCellsShowRowTwoThreeTimes) {
    FakeSheet sheet = weekOneSheet();
    sheet.set('D', 2, "无课");
    const GridComposition grid = composeGrid(sheet, kMarkers, 20);
    ASSERT_EQ(grid.cells.size(), 35u);
    EXPECT_EQ(grid.cells[1].caption, "无课\r\n无课\r\n无课");
    EXPECT_EQ(grid.cells[1].tooltip, "无课   无课  无课");
    EXPECT_EQ(grid.cells[0].caption, "\r\n\r\n"); // week 20 is past Monday's range
}

TEST(GridComposition, CaptionMadeOnlyOfLineBreaksHasNoHoverText) {
    FakeSheet sheet;
    sheet.set('C', 2, "\r\n");
    const GridComposition grid = composeGrid(sheet, kMarkers, 1);
    EXPECT_EQ(grid.cells[0].caption, "\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(grid.cells[0].tooltip, "");
    // A lone CR is text: it keeps the hover text.
    sheet.set('C', 2, "\r");
    EXPECT_EQ(composeGrid(sheet, kMarkers, 1).cells[0].tooltip, "\r   \r  \r");
}

TEST(GridComposition, FailureInBigPeriodThreeKeepsTheCellsWrittenBefore) {
    FakeSheet sheet = weekOneSheet();
    sheet.fail('C', 34); // Monday's week row in big period 3
    const GridComposition grid = composeGrid(sheet, kMarkers, 1);
    ASSERT_TRUE(grid.failure);
    EXPECT_EQ(grid.failure->status, Status::TypeMismatch);
    EXPECT_EQ(grid.cells.size(), 21u);
}

TEST(GridComposition, FailureInALineRowStopsBeforeThatCell) {
    FakeSheet sheet = weekOneSheet();
    sheet.fail('D', 16); // Tuesday's line 3 in big period 1: cell 8
    const GridComposition grid = composeGrid(sheet, kMarkers, 1);
    ASSERT_TRUE(grid.failure);
    EXPECT_EQ(grid.cells.size(), 8u);
}

// The blocks under the shown one were never read before: what they hold must not change how
// the week is shown, only add to its others.
TEST(GridComposition, BlocksUnderTheShownOneAddOthersAndNeverFailTheWeek) {
    struct Case {
        const char* name;
        void (*lower)(FakeSheet&); // Monday's second block of big period 0, rows 8 to 11
        std::vector<OtherClass> others;
        std::string tooltip;
    };
    const std::vector<Case> cases = {
        {"aClass",
         [](FakeSheet& s) { s.set('C', 8, "线代").set('C', 9, "{第1-8周}").set('C', 11, "教2"); },
         {{{"线代", "", "教2"}, 8}},
         "高等数学   张明  教3-201\n线代     教2"},
        {"notThisWeek",
         [](FakeSheet& s) { s.set('C', 8, "线代").set('C', 9, "{第2-8周}"); },
         {},
         "高等数学   张明  教3-201"},
        {"noText",
         [](FakeSheet& s) { s.set('C', 9, "{第1-8周}"); },
         {},
         "高等数学   张明  教3-201"},
        {"theShownClassAgain",
         [](FakeSheet& s) {
             s.set('C', 8, "高等数学").set('C', 9, "{第1周}{第1-1周}");
             s.set('C', 10, "张明").set('C', 11, "教3-201");
         },
         {},
         "高等数学   张明  教3-201"},
        {"unreadableWeekRow", [](FakeSheet& s) { s.fail('C', 9); }, {}, "高等数学   张明  教3-201"},
        {"unreadableLine",
         [](FakeSheet& s) { s.set('C', 8, "线代").set('C', 9, "{第1-8周}").fail('C', 10); },
         {},
         "高等数学   张明  教3-201"},
    };
    for (const Case& c : cases) {
        FakeSheet sheet = weekOneSheet();
        c.lower(sheet);
        const GridComposition grid = composeGrid(sheet, kMarkers, 1);
        ASSERT_FALSE(grid.failure) << c.name;
        ASSERT_EQ(grid.cells.size(), 35u) << c.name;
        EXPECT_EQ(grid.cells[0].caption, "高等数学\r\n张明\r\n教3-201") << c.name;
        EXPECT_EQ(grid.cells[0].others, c.others) << c.name;
        EXPECT_EQ(grid.cells[0].tooltip, c.tooltip) << c.name;
    }
}

TEST(GridComposition, AnEmptyBlockOnTopStillShowsEmptyWithTheClassUnderItInTheHoverText) {
    FakeSheet sheet;
    sheet.set('C', 4, "{第1-16周}"); // a block with weeks and no text
    sheet.set('C', 8, "线代").set('C', 9, "{第1-16周}").set('C', 10, "赵丽").set('C', 11, "教2");
    const GridComposition grid = composeGrid(sheet, kMarkers, 3);
    EXPECT_EQ(grid.cells[0].caption, "\r\n\r\n");
    EXPECT_FALSE(showsText(grid.cells[0]));
    EXPECT_EQ(grid.cells[0].others, (std::vector<OtherClass>{{{"线代", "赵丽", "教2"}, 8}}));
    EXPECT_EQ(grid.cells[0].tooltip, "线代   赵丽  教2");
}

TEST(Markers, FoundInOrderAndTheFirstMissingOneStopsTheSearch) {
    std::vector<std::string> asked;
    const auto find = [&](std::string_view marker) -> Result<std::int16_t> {
        asked.emplace_back(marker);
        if (marker == "第五节") {
            return Failure{Status::MarkerMissing, "missing"};
        }
        return static_cast<std::int16_t>(asked.size() * 10);
    };
    auto missing = locateMarkers(find);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.failure().status, Status::MarkerMissing);
    EXPECT_EQ(asked, (std::vector<std::string>{"第一节", "第三节", "第五节"}));

    asked.clear();
    auto found = locateMarkers([&](std::string_view marker) -> Result<std::int16_t> {
        asked.emplace_back(marker);
        return static_cast<std::int16_t>(asked.size() * 10);
    });
    ASSERT_TRUE(found);
    EXPECT_EQ(found.value(), (MarkerRows{10, 20, 30, 40, 50, 60}));
}

} // namespace
