#include "TableReading.h"

#include <algorithm>

namespace orvanto::imports {

std::vector<std::vector<const SourceCell*>> cellsByRow(const SourceTable& table) {
    std::vector<std::vector<const SourceCell*>> rows(static_cast<std::size_t>(table.rowCount()));
    for (const SourceCell& cell : table.cells()) {
        rows[static_cast<std::size_t>(cell.row)].push_back(&cell);
    }
    for (auto& row : rows) {
        std::ranges::sort(row, {}, &SourceCell::column);
    }
    return rows;
}

} // namespace orvanto::imports
