// Touches every value a reader returned, so the sanitizers see each string it built
// and the optimiser cannot drop the work.
#pragma once

#include "Keep.h"
#include "spreadsheet/CellValue.h"

#include <cstddef>

namespace orvanto::fuzz {

inline std::size_t digest(const spreadsheet::CellValue& cell) {
    std::size_t sum = static_cast<std::size_t>(cell.kind) + cell.text.size() + cell.formula.size();
    for (const char c : cell.text + cell.formula) {
        sum += static_cast<unsigned char>(c);
    }
    return sum + (cell.boolean ? 1 : 0) + (cell.number != cell.number ? 1 : 0) +
           (cell.formulaUnknown ? 1 : 0);
}

inline std::size_t digest(const spreadsheet::WorkbookCells& cells) {
    std::size_t sum = cells.activeSheetIsWorksheet ? 1 : 0;
    for (const auto& cell : cells.markerColumn) {
        sum += digest(cell);
    }
    for (const auto& row : cells.grid) {
        for (const auto& cell : row) {
            sum += digest(cell);
        }
    }
    return sum;
}

} // namespace orvanto::fuzz
