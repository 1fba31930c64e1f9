#include "imports/layouts/TableReading.h"

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

SmallPeriods joinedPeriods(const std::optional<SmallPeriods>& joined, SmallPeriods more) {
    return joined ? SmallPeriods{std::min(joined->first, more.first),
                                 std::max(joined->last, more.last)}
                  : more;
}

} // namespace orvanto::imports
