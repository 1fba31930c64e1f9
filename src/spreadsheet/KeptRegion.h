// Which cells of a sheet a reader keeps, decided here alone. The viewer keeps only what it can
// ever read: the marker column of the first worksheet for the marker search, the class columns
// of the active sheet for the grid, as far down as our workbook layout reaches. Reading a school's
// export keeps a rectangle from A1 on every worksheet, large enough for any timetable and small
// enough to stay cheap.
#pragma once

#include "core/WorkbookLayout.h"

#include <algorithm>
#include <cstddef>

namespace orvanto::spreadsheet {

class KeptRegion {
  public:
    using Layout = core::WorkbookLayout;
    static constexpr int kMarkerRows = Layout::kMarkerRows;
    static constexpr int kGridRows = Layout::kClassRows;
    static constexpr int kWholeSheetRows = 600;
    static constexpr int kWholeSheetColumns = 32; // A..AF
    // Cells an export's worksheets may keep together; a timetable or a list of classes
    // holds a few hundred.
    static constexpr std::size_t kMaxWholeSheetCells = 60000;

    static constexpr KeptRegion none() { return {}; }
    static constexpr KeptRegion markerColumn() {
        constexpr int column = Layout::columnNumber(Layout::kMarkerColumn);
        return {{column, column, kMarkerRows}, {}};
    }
    static constexpr KeptRegion grid() {
        return {{},
                {Layout::columnNumber(Layout::kFirstClassColumn),
                 Layout::columnNumber(Layout::kLastClassColumn), kGridRows}};
    }
    static constexpr KeptRegion markerColumnAndGrid() {
        return {markerColumn().m_first, grid().m_second};
    }
    static constexpr KeptRegion wholeSheet() {
        return {{1, kWholeSheetColumns, kWholeSheetRows}, {}};
    }

    // 1-based row and column (A is 1).
    constexpr bool keeps(int row, int column) const {
        return m_first.holds(row, column) || m_second.holds(row, column);
    }
    // The last row any kept cell can be in; 0 when nothing is kept.
    constexpr int lastRow() const { return std::max(m_first.lastRow, m_second.lastRow); }
    // Whether a block of cells starting at firstRow across firstColumn..lastColumn (a shared
    // formula's range) reaches a kept cell.
    constexpr bool reaches(int firstRow, int firstColumn, int lastColumn) const {
        return m_first.reaches(firstRow, firstColumn, lastColumn) ||
               m_second.reaches(firstRow, firstColumn, lastColumn);
    }
    constexpr bool isWholeSheet() const { return m_first.firstColumn == 1; }

  private:
    struct Area {
        int firstColumn = 0;
        int lastColumn = -1;
        int lastRow = 0;
        constexpr bool holds(int row, int column) const {
            return row >= 1 && row <= lastRow && column >= firstColumn && column <= lastColumn;
        }
        constexpr bool reaches(int row, int first, int last) const {
            return lastRow > 0 && row <= lastRow && last >= firstColumn && first <= lastColumn;
        }
    };
    constexpr KeptRegion() = default;
    constexpr KeptRegion(Area first, Area second) : m_first(first), m_second(second) {}

    Area m_first;
    Area m_second;
};

} // namespace orvanto::spreadsheet
