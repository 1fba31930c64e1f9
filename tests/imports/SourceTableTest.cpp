// The table an import reads: spans cover the cells under them, are cut at the table's edge,
// and cells far outside any timetable are left out instead of growing the lookup grid.
#include "imports/decode/SourceTable.h"

#include <gtest/gtest.h>

namespace orvanto::imports {
namespace {

TEST(SourceTable, SpansCoverTheirCellsAndStopAtTheEdge) {
    const SourceTable table("表格1", {{0, 0, 1, 1, "时间"},
                                      {1, 0, 2, 1, "上午"},
                                      {1, 1, 1, 9, "高等数学"},
                                      {2, 1, 1, 1, "below the span"},
                                      {1, 2, 1, 1, "inside the span"}});
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.textAt(2, 0), "上午");
    EXPECT_EQ(table.textAt(1, 2), "高等数学"); // the span wins over a cell given inside it
    EXPECT_EQ(table.at(1, 1)->columnSpan, 2);  // cut at the last column
    EXPECT_EQ(table.textAt(0, 2), "");
    EXPECT_EQ(table.at(5, 5), nullptr);
}

TEST(SourceTable, CellsFarOutsideAreLeftOut) {
    const SourceTable table("表格1", {{0, 0, 1, 1, "星期一"},
                                      {SourceTable::kMaxRows, 0, 1, 1, "far below"},
                                      {0, SourceTable::kMaxColumns, 1, 1, "far right"},
                                      {-1, 0, 1, 1, "before the first row"}});
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.columnCount(), 1);
    EXPECT_EQ(table.cells().size(), 1u);
}

// The lookup grid is what a crafted sheet makes large (one cell far out): it is charged, with
// every cell, before it is made, and a budget it would overdraw is left as it was.
TEST(SourceTable, ChargedTableTakesItsGridAndCellsFromTheBudget) {
    const std::vector<SourceCell> cells = {{0, 0, 1, 1, "星期一"}, {999, 99, 1, 1, "far out"}};
    const std::size_t cost = 1000 * 100 * sizeof(int) + std::string("表格1").size() +
                             2 * sizeof(SourceCell) + std::string("星期一far out").size();
    spreadsheet::ReadBudget exact(cost);
    const auto table = SourceTable::charged("表格1", cells, exact);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->textAt(999, 99), "far out");
    EXPECT_FALSE(exact.take(1));

    spreadsheet::ReadBudget tight(cost - 1);
    const auto refused = SourceTable::charged("表格1", cells, tight);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().status, core::Status::TooLarge);
    EXPECT_TRUE(tight.take(cost - 1));

    // Cells left out cost nothing: the grid is sized by the cells kept.
    spreadsheet::ReadBudget small(1000);
    EXPECT_TRUE(SourceTable::charged("t", {{SourceTable::kMaxRows, 0, 1, 1, ""}}, small).ok());
}

TEST(SourceTable, AddressesAsASpreadsheetNamesThem) {
    EXPECT_EQ(SourceTable::address(0, 0), "A1");
    EXPECT_EQ(SourceTable::address(3, 2), "C4");
    EXPECT_EQ(SourceTable::address(9, 25), "Z10");
    EXPECT_EQ(SourceTable::address(0, 26), "AA1");
    EXPECT_EQ(SourceTable::address(0, 701), "ZZ1");
    EXPECT_EQ(SourceTable::address(0, 702), "AAA1");
}

} // namespace
} // namespace orvanto::imports
