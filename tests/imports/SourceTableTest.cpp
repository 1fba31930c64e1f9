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
