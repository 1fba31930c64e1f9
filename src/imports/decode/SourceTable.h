// One table of an export as the import sees it: a sheet of a workbook or a <table> of an HTML
// page, reduced to cell texts, with merged cells (rowspan/colspan) kept as spans.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/ReadLimits.h"

#include <string>
#include <utility>
#include <vector>

namespace orvanto::imports {

struct SourceCell {
    int row = 0;    // 0-based
    int column = 0; // 0-based
    int rowSpan = 1;
    int columnSpan = 1;
    std::string text; // lines separated by '\n'; "" for an empty cell
};

class SourceTable {
  public:
    // A table keeps the cells within these bounds; the lookup grid stays a few MB.
    static constexpr int kMaxRows = spreadsheet::limits::kTableRows;
    static constexpr int kMaxColumns = spreadsheet::limits::kTableColumns;

    SourceTable() = default;
    // name: the sheet's name, or "表格N" for the Nth table of a page. Cells may come in any
    // order; a cell inside another's span is ignored. Spans are cut at the table's edge, cells
    // past kMaxRows or kMaxColumns left out.
    SourceTable(std::string name, std::vector<SourceCell> cells);
    // The same, with its lookup grid and its cells charged to budget before the grid is made:
    // the tables of one export together keep no more than the budget.
    static core::Result<SourceTable> charged(std::string name, std::vector<SourceCell> cells,
                                             spreadsheet::ReadBudget& budget);

    const std::string& name() const { return m_name; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    const std::vector<SourceCell>& cells() const { return m_cells; }

    // The cell whose span covers (row, column), or nullptr where no cell stands.
    const SourceCell* at(int row, int column) const;
    // The text at (row, column): that of the covering cell, "" where none stands.
    const std::string& textAt(int row, int column) const;

    // "C4" for row 3, column 2 (0-based), as a spreadsheet names it.
    static std::string address(int row, int column);

  private:
    // Rows and columns of the grid the kept cells need.
    static std::pair<int, int> extent(const std::vector<SourceCell>& cells);

    std::string m_name;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<SourceCell> m_cells;
    std::vector<int> m_covering; // row-major: index into m_cells, or -1
};

} // namespace orvanto::imports
