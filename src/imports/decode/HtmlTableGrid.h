// Places the cells of one HTML table on its grid as a browser does: each cell goes to the first
// column of its row that no rowspan from above still takes, and spans end with their row group.
#pragma once

#include "imports/decode/SourceTable.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace orvanto::imports {

class HtmlTableGrid {
  public:
    // The grid kept: cells starting past these are left out, spans are cut at them.
    HtmlTableGrid(int maxRows, int maxColumns);

    void beginRowGroup(); // at <thead>, <tbody>, <tfoot> and their ends: no rowspan crosses it
    void beginRow();      // <tr>; a cell outside any row opens one
    void endRow();

    // Places a cell (rowSpan 0: to the end of its row group) and gives its index in the cells
    // kept, or nothing when it starts outside the grid kept.
    std::optional<std::size_t> addCell(int rowSpan, int columnSpan);
    SourceCell& cell(std::size_t index) { return m_cells[index]; }
    std::size_t cellCount() const { return m_cells.size(); }

    // The cells with their spans cut at their row group's end. A span that reaches past every
    // other cell (a last row taken wholly by rowspans) is kept: SourceTable sizes the table by
    // its cells, so a covered cell is added where the span ends.
    std::vector<SourceCell> finish();

  private:
    void endRowGroup();

    int m_maxRows;
    int m_maxColumns;
    std::vector<SourceCell> m_cells;
    std::vector<int> m_rowsTaken; // per column: rows a rowspan from above still takes
    int m_row = -1;
    bool m_inRow = false;
    int m_column = 0;
    int m_groupFirstRow = 0;
    std::size_t m_groupFirstCell = 0;
};

} // namespace orvanto::imports
