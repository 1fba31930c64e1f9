// A timetable workbook, read once and closed: the marker search on the first worksheet
// and cell texts of the active sheet, as Excel would give them.
#pragma once

#include "CellValue.h"
#include "ReadBudget.h"
#include "SheetContents.h"
#include "core/CellSource.h"
#include "core/Failure.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::spreadsheet {

class Workbook : public core::CellSource {
  public:
    explicit Workbook(WorkbookCells cells);

    // Reads the file at path (read-only, closed before returning). .xls or .xlsx by content.
    static core::Result<Workbook> open(const std::filesystem::path& path);
    static core::Result<Workbook> fromBytes(std::span<const std::uint8_t> bytes);

    // Every worksheet of an .xls or .xlsx held in bytes (by content), each kept as
    // KeptRegion::wholeSheet(): what reading a school's export needs. Worksheets past
    // limits::kExportSheets are named but not read.
    static core::Result<std::vector<SheetContents>>
    readWorksheets(std::span<const std::uint8_t> bytes);
    // The same, charging what it keeps to budget, which the caller goes on charging.
    static core::Result<std::vector<SheetContents>>
    readWorksheets(std::span<const std::uint8_t> bytes, ReadBudget& budget);

    // Row of the first cell of the marker column (rows 1 to WorkbookCells::kMarkerRows) on the
    // first worksheet whose text contains marker, trying row 2 down to the last and row 1 last;
    // ignores case and full-/half-width differences.
    core::Result<std::int16_t> findMarker(std::string_view marker) const;

    // The cell's value as text; error values fail with error 13. Reads outside the
    // kept range (the class columns, rows 1 to WorkbookCells::kGridRows) give empty text.
    core::Result<std::string> cellText(char column, int row) const override;

    const WorkbookCells& cells() const { return *m_cells; }

  private:
    static core::Result<Workbook> fromCells(core::Result<WorkbookCells> cells);

    std::shared_ptr<const WorkbookCells> m_cells;
};

} // namespace orvanto::spreadsheet
