#include "Workbook.h"

#include "CellAddress.h"
#include "CellText.h"
#include "GObjectRef.h"
#include "GsfReason.h"
#include "LoadFailure.h"
#include "TextMatch.h"
#include "spreadsheet/xls/XlsReader.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

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
    gsf_init();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return loadFailure(core::Status::FileNotFound);
    }
    if (std::filesystem::is_directory(path, ec)) {
        return loadFailure(core::Status::NotAFile);
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        // Opening a pipe blocks until something writes to it, and a device may never end.
        return loadFailure(core::Status::CannotOpen, {}, "it is not a regular file");
    }
    // Mapped read-only: only the parts a reader touches are paged in, so a big
    // workbook costs little memory. The mapping and the file go away before we return.
    // GLib takes file names in UTF-8 on Windows and as they are elsewhere, which for a
    // path made from UTF-8 is UTF-8 again: string() would use the ANSI code page on Windows.
    const std::u8string name = path.u8string();
    const char* utf8Name = reinterpret_cast<const char*>(name.c_str());
    GError* error = nullptr;
    GObjectRef<GsfInput> file(gsf_input_mmap_new(utf8Name, &error));
    if (!file) {
        g_clear_error(&error);
        file.reset(gsf_input_stdio_new(utf8Name, &error));
    }
    if (!file) {
        const GsfReason reason = takeGsfReason(error, core::Status::CannotOpen);
        return loadFailure(reason.status, {}, reason.detail);
    }
    const gsf_off_t size = gsf_input_size(file.get());
    if (size == 0) {
        return loadFailure(core::Status::Empty);
    }
    const guint8* data = gsf_input_read(file.get(), static_cast<std::size_t>(size), nullptr);
    if (data == nullptr) {
        return loadFailure(core::Status::CannotOpen, {}, "its bytes cannot be read");
    }
    return fromBytes({data, static_cast<std::size_t>(size)});
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
    if (bytes.empty()) {
        return loadFailure(core::Status::Empty);
    }
    if (startsWith(bytes, {'P', 'K', 3, 4})) {
        return readXlsxSheets(bytes);
    }
    if (looksLikeXls(bytes)) {
        return readXlsSheets(bytes);
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
