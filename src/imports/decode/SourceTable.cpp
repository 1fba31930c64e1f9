#include "imports/decode/SourceTable.h"

#include <algorithm>
#include <tuple>

namespace orvanto::imports {

namespace {

const std::string kNoText;

bool outside(const SourceCell& cell) {
    return cell.row < 0 || cell.column < 0 || cell.row >= SourceTable::kMaxRows ||
           cell.column >= SourceTable::kMaxColumns;
}

} // namespace

std::pair<int, int> SourceTable::extent(const std::vector<SourceCell>& cells) {
    int rows = 0;
    int columns = 0;
    for (const SourceCell& cell : cells) {
        if (!outside(cell)) {
            rows = std::max(rows, cell.row + 1);
            columns = std::max(columns, cell.column + 1);
        }
    }
    return {rows, columns};
}

core::Result<SourceTable> SourceTable::charged(std::string name, std::vector<SourceCell> cells,
                                               spreadsheet::ReadBudget& budget) {
    const auto [rows, columns] = extent(cells);
    std::size_t bytes =
        static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns) * sizeof(int) +
        name.size();
    for (const SourceCell& cell : cells) {
        bytes += sizeof(SourceCell) + cell.text.size();
    }
    if (!budget.take(bytes)) {
        return spreadsheet::ReadBudget::spent();
    }
    return SourceTable(std::move(name), std::move(cells));
}

SourceTable::SourceTable(std::string name, std::vector<SourceCell> cells)
    : m_name(std::move(name)) {
    std::erase_if(cells, outside);
    std::tie(m_rows, m_columns) = extent(cells);
    m_covering.assign(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns), -1);
    for (SourceCell& cell : cells) {
        auto& origin = m_covering[static_cast<std::size_t>(cell.row * m_columns + cell.column)];
        if (origin != -1) {
            continue; // inside an earlier cell's span, or given twice
        }
        cell.rowSpan = std::clamp(cell.rowSpan, 1, m_rows - cell.row);
        cell.columnSpan = std::clamp(cell.columnSpan, 1, m_columns - cell.column);
        const int index = static_cast<int>(m_cells.size());
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
            for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) {
                auto& slot = m_covering[static_cast<std::size_t>(r * m_columns + c)];
                if (slot == -1) {
                    slot = index;
                }
            }
        }
        m_cells.push_back(std::move(cell));
    }
}

const SourceCell* SourceTable::at(int row, int column) const {
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns) {
        return nullptr;
    }
    const int index = m_covering[static_cast<std::size_t>(row * m_columns + column)];
    return index < 0 ? nullptr : &m_cells[static_cast<std::size_t>(index)];
}

const std::string& SourceTable::textAt(int row, int column) const {
    const SourceCell* cell = at(row, column);
    return cell != nullptr ? cell->text : kNoText;
}

std::string SourceTable::address(int row, int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters + std::to_string(row + 1);
}

} // namespace orvanto::imports
