#include "timetable/WeekFilter.h"

#include "FakeSheet.h"
#include "core/Utf8.h"
#include "timetable/VbText.h"

#include <gtest/gtest.h>

using namespace orvanto::timetable;
using orvanto::core::toUtf16;
constexpr int kBlankRow = orvanto::core::WorkbookLayout::kBlankRow;
using orvanto::testing::FakeSheet;

namespace {

struct WeekRowCase {
    const char* text;
    std::int16_t week;
    bool matches;
};

class WeekRow : public ::testing::TestWithParam<WeekRowCase> {};

TEST_P(WeekRow, AdmitsTheWeeksItsParityAndRangeSelect) {
    EXPECT_EQ(weekRowMatches(toUtf16(GetParam().text), GetParam().week), GetParam().matches)
        << GetParam().text << " in week " << GetParam().week;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, WeekRow,
    ::testing::Values(
        // A plain range, both ends included.
        WeekRowCase{"{第1-16周}", 1, true}, WeekRowCase{"{第1-16周}", 16, true},
        WeekRowCase{"{第1-16周}", 17, false}, WeekRowCase{"{第1-16周}", 0, false},
        // Parity marks anywhere in the text; a failed range under a mark never falls through.
        WeekRowCase{"{第1-15周}单周", 3, true}, WeekRowCase{"{第1-15周}单周", 4, false},
        WeekRowCase{"单周{第1-15周}", 17, false}, WeekRowCase{"{第2-16周}双周", 4, true},
        WeekRowCase{"{第2-16周}双周", 5, false}, WeekRowCase{"{第2-16周}双周", 18, false},
        WeekRowCase{"x-3-9单周", -3, true}, WeekRowCase{"x-3-9单周", -2, false},
        WeekRowCase{"{第0-16周}双周", 0, true},
        // Both marks: range-tested in every week.
        WeekRowCase{"{第1-16周}单周双周", 4, true}, WeekRowCase{"{第1-16周}单周双周", 5, true},
        // Two digits only: a third one is ignored.
        WeekRowCase{"{第10-12周}", 10, true}, WeekRowCase{"{第10-12周}", 9, false},
        WeekRowCase{"{第10-12周}", 13, false}, WeekRowCase{"{第1-100周}", 10, true},
        WeekRowCase{"{第1-100周}", 11, false},
        // No "-": the last week comes from the first two characters, normally 0.
        WeekRowCase{"{第5周}", 5, false}, WeekRowCase{"{第5周}", 0, false},
        // Empty text reads 0-0.
        WeekRowCase{"", 0, true}, WeekRowCase{"", 1, false},
        // The first "-" wins even before the "{".
        WeekRowCase{"周一第1-2节{第1-16周}", 2, true},
        WeekRowCase{"周一第1-2节{第1-16周}", 3, false},
        // Without "{" the first week is read from the second and third characters.
        WeekRowCase{"x3-9", 3, true}, WeekRowCase{"x3-9", 2, false},
        // No digits where the first week is expected: every week up to the last.
        WeekRowCase{"{第周-8}", 1, true}, WeekRowCase{"{第周-8}", 9, false},
        // A negative last week.
        WeekRowCase{"{第1--5周}", 1, false}));

// Three-line blocks for one column, week rows at start+1, start+6, ...
FakeSheet timetableWithBlocks() {
    FakeSheet sheet;
    sheet.set('C', 3, "高数").set('C', 4, "{第1-8周}").set('C', 5, "张").set('C', 6, "教1");
    sheet.set('C', 8, "英语").set('C', 9, "{第1-16周}").set('C', 10, "李").set('C', 11, "教2");
    sheet.set('E', 9, "{第1-15周}单周");
    return sheet;
}

TEST(Cug, UppermostMatchingBlockWinsAndOtherDaysGetTheBlankRow) {
    const FakeSheet sheet = timetableWithBlocks();
    auto rows = scanWeekRows(sheet, 3, 13, 5);
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->courseRow[0], 3);
    EXPECT_EQ(rows->teacherRow[0], 5);
    EXPECT_EQ(rows->roomRow[0], 6);
    EXPECT_EQ(rows->courseRow[1], kBlankRow); // Tuesday has no block
    EXPECT_EQ(rows->courseRow[2], 8);         // odd week: Wednesday's second block
}

TEST(Cug, LowerBlockShowsWhenTheUpperOneDoesNotMeet) {
    const FakeSheet sheet = timetableWithBlocks();
    auto rows = scanWeekRows(sheet, 3, 13, 10);
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->courseRow[0], 8);
    EXPECT_EQ(rows->roomRow[0], 11);
    EXPECT_EQ(rows->courseRow[2], kBlankRow); // even week: the odd-only block does not meet
}

TEST(Cug, ClosingMarkerOnOrAboveTheOpeningOneScansNothing) {
    const FakeSheet sheet = timetableWithBlocks();
    for (const std::int16_t end : std::initializer_list<std::int16_t>{3, 2, 0}) {
        auto rows = scanWeekRows(sheet, 3, end, 5);
        ASSERT_TRUE(rows.ok());
        for (int day = 0; day < 7; ++day) {
            EXPECT_EQ(rows->courseRow[static_cast<std::size_t>(day)], kBlankRow);
            EXPECT_EQ(rows->roomRow[static_cast<std::size_t>(day)], kBlankRow);
        }
    }
    EXPECT_EQ(sheet.reads(), 0);
}

TEST(Cug, TheClosingMarkerRowItselfCanBeTheLastWeekRow) {
    FakeSheet sheet;
    sheet.set('D', 9, "{第1-16周}"); // 5n + 1 spacing: markers on rows 3 and 9
    auto rows = scanWeekRows(sheet, 3, 9, 1);
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->courseRow[1], 8);
    EXPECT_EQ(rows->roomRow[1], 11);
    // Adjacent markers: the closing marker's row is the one week row examined.
    sheet.set('F', 4, "{第1-16周}");
    rows = scanWeekRows(sheet, 3, 4, 1);
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->courseRow[3], 3);
}

TEST(Cug, AFailingReadStopsTheScanWithItsError) {
    FakeSheet sheet = timetableWithBlocks();
    sheet.fail('E', 4);
    auto rows = scanWeekRows(sheet, 3, 13, 5);
    ASSERT_FALSE(rows.ok());
    EXPECT_EQ(rows.failure().status, orvanto::core::Status::TypeMismatch);
}

} // namespace
