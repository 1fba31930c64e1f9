#include "imports/decode/WorksheetTables.h"

#include "spreadsheet/CellText.h"

#include <map>
#include <utility>

namespace orvanto::imports {

namespace {

// Error values are shown by their code ("#N/A"): an export is read as it looks, and a cell
// that holds one is simply a text no class is made of.
std::string shownText(const spreadsheet::CellValue& value, bool date1904) {
    auto text = spreadsheet::cellValueToText(value, date1904);
    return text ? std::move(text).value() : value.text;
}

} // namespace

core::Result<SourceTable> worksheetTable(const spreadsheet::SheetContents& sheet,
                                         spreadsheet::ReadBudget& budget) {
    // Merged ranges by their first cell: the cell there carries the span.
    std::map<std::pair<int, int>, const spreadsheet::MergedRange*> merges;
    for (const auto& merge : sheet.merges) {
        if (merge.lastRow >= merge.firstRow && merge.lastColumn >= merge.firstColumn) {
            merges.emplace(std::pair{merge.firstRow, merge.firstColumn}, &merge);
        }
    }
    std::vector<SourceCell> cells;
    cells.reserve(sheet.cells.size() + merges.size());
    for (const auto& placed : sheet.cells) {
        SourceCell cell{placed.row - 1, placed.column - 1, 1, 1,
                        shownText(placed.value, sheet.date1904)};
        if (auto merge = merges.find({placed.row, placed.column}); merge != merges.end()) {
            cell.rowSpan = merge->second->lastRow - merge->second->firstRow + 1;
            cell.columnSpan = merge->second->lastColumn - merge->second->firstColumn + 1;
            merges.erase(merge);
        }
        cells.push_back(std::move(cell));
    }
    // A merged range whose first cell is empty still covers its cells: nothing in it is
    // another cell's text.
    for (const auto& [first, merge] : merges) {
        cells.push_back({merge->firstRow - 1, merge->firstColumn - 1,
                         merge->lastRow - merge->firstRow + 1,
                         merge->lastColumn - merge->firstColumn + 1, std::string()});
    }
    return SourceTable::charged(sheet.name, std::move(cells), budget);
}

} // namespace orvanto::imports
