// Reading every worksheet, as importing a school's export does: names in workbook order,
// every cell within the kept rectangle with its text, and merged ranges, alike from each writer.
#include "TestFiles.h"
#include "spreadsheet/CellText.h"
#include "spreadsheet/KeptRegion.h"
#include "spreadsheet/ReadLimits.h"
#include "spreadsheet/Workbook.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace orvanto::spreadsheet {
namespace {

std::optional<std::string> textAt(const SheetContents& sheet, int row, int column) {
    for (const PlacedCell& cell : sheet.cells) {
        if (cell.row == row && cell.column == column) {
            auto text = cellValueToText(cell.value, sheet.date1904);
            return text ? text.value() : cell.value.text;
        }
    }
    return std::nullopt;
}

bool hasMerge(const SheetContents& sheet, MergedRange wanted) {
    return std::ranges::any_of(sheet.merges, [&](const MergedRange& m) {
        return std::tie(m.firstRow, m.lastRow, m.firstColumn, m.lastColumn) ==
               std::tie(wanted.firstRow, wanted.lastRow, wanted.firstColumn, wanted.lastColumn);
    });
}

class WorksheetsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WorksheetsTest, everyWorksheetWithItsCellsAndMerges) {
    const auto bytes = testing::testDataBytes(std::string("samples/") + GetParam());
    ASSERT_FALSE(bytes.empty());
    const auto sheets = Workbook::readWorksheets(bytes);
    ASSERT_TRUE(sheets) << sheets.failure().detail;
    ASSERT_EQ(sheets->size(), 2u);
    EXPECT_EQ((*sheets)[0].name, "说明");
    EXPECT_EQ(textAt((*sheets)[0], 1, 1), "学号");
    EXPECT_EQ(textAt((*sheets)[0], 1, 2), "20260101");

    const SheetContents& timetable = (*sheets)[1];
    EXPECT_EQ(timetable.name, "课表");
    EXPECT_EQ(textAt(timetable, 2, 2), "第1,2节");
    EXPECT_EQ(textAt(timetable, 2, 3), "星期一\n上午");
    EXPECT_EQ(textAt(timetable, 2, 5), "3.5");
    EXPECT_EQ(textAt(timetable, 2, 6), "2026/9/7");
    EXPECT_EQ(textAt(timetable, 4, 3), "高等数学\n张三\n1-16周\nA101");
    EXPECT_EQ(textAt(timetable, KeptRegion::kWholeSheetRows, KeptRegion::kWholeSheetColumns),
              "last kept");
    // Past the kept rectangle nothing is kept, and no empty cell is.
    EXPECT_EQ(textAt(timetable, 1, KeptRegion::kWholeSheetColumns + 1), std::nullopt);
    EXPECT_EQ(textAt(timetable, KeptRegion::kWholeSheetRows + 1, 1), std::nullopt);
    EXPECT_TRUE(std::ranges::none_of(timetable.cells, [](const PlacedCell& cell) {
        return cell.value.kind == CellValue::Kind::Empty;
    }));
    EXPECT_TRUE(hasMerge(timetable, {2, 3, 2, 2}));
    EXPECT_TRUE(hasMerge(timetable, {2, 2, 3, 4}));
}

INSTANTIATE_TEST_SUITE_P(Writers, WorksheetsTest,
                         ::testing::Values("worksheets.xlsx", "worksheets-lo.xls",
                                           "worksheets-gnumeric.xls"));

TEST(WorksheetsBadInputTest, failsAsTheViewersReadDoes) {
    for (const char* file : {"bad/xls-encrypted.xls", "bad/xlsx-truncated-200.xlsx"}) {
        const auto bytes = testing::testDataBytes(file);
        const auto sheets = Workbook::readWorksheets(bytes);
        ASSERT_FALSE(sheets) << file;
        EXPECT_EQ(sheets.failure().status, Workbook::fromBytes(bytes).failure().status) << file;
    }
    EXPECT_EQ(Workbook::readWorksheets({}).failure().status, core::Status::Empty);
}

// Seventy sheets on one part: the first 64 are read, the others only named, in order.
TEST(WorksheetsBadInputTest, sheetsPastTheCountAreNamedNotRead) {
    const auto sheets =
        Workbook::readWorksheets(testing::testDataBytes("bad/xlsx-many-sheets.xlsx"));
    ASSERT_TRUE(sheets) << sheets.failure().detail;
    ASSERT_EQ(sheets->size(), 70u);
    for (std::size_t i = 0; i < sheets->size(); ++i) {
        const SheetContents& sheet = (*sheets)[i];
        EXPECT_EQ(sheet.name, "S" + std::to_string(i));
        EXPECT_EQ(sheet.read, i < limits::kExportSheets) << sheet.name;
        EXPECT_EQ(textAt(sheet, 3, 2), sheet.read ? std::optional<std::string>("a") : std::nullopt)
            << sheet.name;
    }
}

} // namespace
} // namespace orvanto::spreadsheet
