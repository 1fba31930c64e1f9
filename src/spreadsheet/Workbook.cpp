#include "Workbook.h"

#include "CellAddress.h"
#include "CellText.h"
#include "LoadFailure.h"
#include "TextMatch.h"
#include "platform/MappedFile.h"
#include "spreadsheet/xls/XlsReader.h"
#include "spreadsheet/xlsx/XlsxReader.h"

namespace orvanto::spreadsheet {

namespace {

bool startsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> magic) {
    if (bytes.size() < magic.size()) {
        return false;
    }
    std::size_t i = 0;
    for (const std::uint8_t b : magic) {
        if (bytes[i++] != b) {
            return false;
        }
    }
    return true;
}

} // namespace

Workbook::Workbook(WorkbookCells cells)
    : m_cells(std::make_shared<const WorkbookCells>(std::move(cells))) {}

core::Result<Workbook> Workbook::open(const std::filesystem::path& path) {
    // Mapped read-only: only the parts a reader touches are paged in, so a big workbook costs
    // little memory. The mapping and the file go away before we return.
    auto file = platform::MappedFile::open(path);
    if (!file) {
        return loadFailure(file.failure().status, {}, file.failure().detail);
    }
    return fromBytes(file->bytes());
}

core::Result<Workbook> Workbook::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return loadFailure(core::Status::Empty);
    }
    if (startsWith(bytes, {'P', 'K', 3, 4})) {
        return fromCells(readXlsx(bytes));
    }
    if (looksLikeXls(bytes)) {
        return fromCells(readXls(bytes));
    }
    return loadFailure(core::Status::NotAWorkbook, {}, "neither .xlsx nor .xls content");
}

core::Result<std::vector<SheetContents>>
Workbook::readWorksheets(std::span<const std::uint8_t> bytes) {
    ReadBudget budget;
    return readWorksheets(bytes, budget);
}

core::Result<std::vector<SheetContents>>
Workbook::readWorksheets(std::span<const std::uint8_t> bytes, ReadBudget& budget) {
    if (bytes.empty()) {
        return loadFailure(core::Status::Empty);
    }
    if (startsWith(bytes, {'P', 'K', 3, 4})) {
        return readXlsxSheets(bytes, budget);
    }
    if (looksLikeXls(bytes)) {
        return readXlsSheets(bytes, budget);
    }
    return loadFailure(core::Status::NotAWorkbook, {}, "neither .xlsx nor .xls content");
}

core::Result<Workbook> Workbook::fromCells(core::Result<WorkbookCells> cells) {
    if (!cells) {
        return cells.failure();
    }
    return Workbook(std::move(cells).value());
}

core::Result<std::int16_t> Workbook::findMarker(std::string_view marker) const {
    const TextMatcher matcher(marker);
    // Excel's Find starts after the range's first cell and wraps around to it last.
    for (int i = 1; i <= WorkbookCells::kMarkerRows; ++i) {
        const int row = i == WorkbookCells::kMarkerRows ? 1 : i + 1;
        const CellValue& cell = m_cells->markerColumn[static_cast<std::size_t>(row - 1)];
        if (cell.kind == CellValue::Kind::Empty && cell.formula.empty() && !cell.formulaUnknown) {
            continue;
        }
        if (matcher.foundIn(searchText(cell, m_cells->date1904))) {
            return static_cast<std::int16_t>(row);
        }
    }
    return core::errors::markerMissing(std::string(marker));
}

core::Result<std::string> Workbook::cellText(char column, int row) const {
    if (!m_cells->activeSheetIsWorksheet) {
        return core::errors::activeSheetNotWorksheet();
    }
    if (row < 1 || row > kMaxRows) {
        return core::errors::badCellAddress();
    }
    const int col = column - WorkbookCells::kFirstGridColumn;
    if (col < 0 || col >= WorkbookCells::kGridColumns || row > WorkbookCells::kGridRows) {
        return std::string();
    }
    const CellValue& value =
        m_cells->grid[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col)];
    core::Result<std::string> text = cellValueToText(value, m_cells->date1904);
    if (!text) {
        core::Failure failure = text.failure();
        failure.cell = column + std::to_string(row);
        failure.shownValue = value.text;
        return failure;
    }
    return text;
}

} // namespace orvanto::spreadsheet
