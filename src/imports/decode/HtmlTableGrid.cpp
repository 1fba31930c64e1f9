#include "imports/decode/HtmlTableGrid.h"

#include <algorithm>

namespace orvanto::imports {

HtmlTableGrid::HtmlTableGrid(int maxRows, int maxColumns)
    : m_maxRows(std::max(maxRows, 1)), m_maxColumns(std::max(maxColumns, 1)),
      m_rowsTaken(static_cast<std::size_t>(m_maxColumns), 0) {}

void HtmlTableGrid::beginRowGroup() {
    endRowGroup();
}

void HtmlTableGrid::beginRow() {
    endRow();
    ++m_row;
    m_inRow = true;
    m_column = 0;
}

void HtmlTableGrid::endRow() {
    if (!m_inRow) {
        return;
    }
    m_inRow = false;
    for (int& taken : m_rowsTaken) {
        if (taken > 0) {
            --taken;
        }
    }
}

std::optional<std::size_t> HtmlTableGrid::addCell(int rowSpan, int columnSpan) {
    if (!m_inRow) {
        beginRow();
    }
    if (m_row >= m_maxRows) {
        return std::nullopt;
    }
    while (m_column < m_maxColumns && m_rowsTaken[static_cast<std::size_t>(m_column)] > 0) {
        ++m_column;
    }
    if (m_column >= m_maxColumns) {
        return std::nullopt;
    }
    // rowspan=0 runs to the end of the row group, where endRowGroup cuts it.
    const int rows = rowSpan <= 0 ? m_maxRows - m_row : std::min(rowSpan, m_maxRows - m_row);
    const int columns = std::clamp(columnSpan, 1, m_maxColumns - m_column);
    for (int c = m_column; c < m_column + columns; ++c) {
        int& taken = m_rowsTaken[static_cast<std::size_t>(c)];
        taken = std::max(taken, rows);
    }
    SourceCell placed;
    placed.row = m_row;
    placed.column = m_column;
    placed.rowSpan = rows;
    placed.columnSpan = columns;
    m_cells.push_back(std::move(placed));
    m_column += columns;
    return m_cells.size() - 1;
}

void HtmlTableGrid::endRowGroup() {
    endRow();
    const int groupEnd = std::min(m_row + 1, m_maxRows);
    for (std::size_t i = m_groupFirstCell; i < m_cells.size(); ++i) {
        SourceCell& placed = m_cells[i];
        placed.rowSpan = std::clamp(groupEnd - placed.row, 1, placed.rowSpan);
    }
    std::fill(m_rowsTaken.begin(), m_rowsTaken.end(), 0);
    m_groupFirstRow = m_row + 1;
    m_groupFirstCell = m_cells.size();
}

std::vector<SourceCell> HtmlTableGrid::finish() {
    endRowGroup();
    int originRows = 0;
    int originColumns = 0;
    const SourceCell* lowest = nullptr;
    const SourceCell* rightmost = nullptr;
    for (const SourceCell& placed : m_cells) {
        originRows = std::max(originRows, placed.row + 1);
        originColumns = std::max(originColumns, placed.column + 1);
        if (lowest == nullptr || placed.row + placed.rowSpan > lowest->row + lowest->rowSpan) {
            lowest = &placed;
        }
        if (rightmost == nullptr ||
            placed.column + placed.columnSpan > rightmost->column + rightmost->columnSpan) {
            rightmost = &placed;
        }
    }
    std::vector<SourceCell> extent;
    if (lowest != nullptr && lowest->row + lowest->rowSpan > originRows) {
        SourceCell covered;
        covered.row = lowest->row + lowest->rowSpan - 1;
        covered.column = lowest->column;
        extent.push_back(covered);
    }
    if (rightmost != nullptr && rightmost->column + rightmost->columnSpan > originColumns) {
        SourceCell covered;
        covered.row = rightmost->row;
        covered.column = rightmost->column + rightmost->columnSpan - 1;
        extent.push_back(covered);
    }
    std::vector<SourceCell> cells = std::move(m_cells);
    cells.insert(cells.end(), extent.begin(), extent.end());
    m_cells.clear();
    return cells;
}

} // namespace orvanto::imports
