// Reads the cells the viewer needs from a legacy .xls (BIFF5/BIFF8) file held in memory.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/SheetContents.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::spreadsheet {

core::Result<WorkbookCells> readXls(std::span<const std::uint8_t> bytes);

// Every worksheet of the file, in workbook order, each kept as KeptRegion::wholeSheet().
core::Result<std::vector<SheetContents>> readXlsSheets(std::span<const std::uint8_t> bytes,
                                                       ReadBudget& budget);

// Whether bytes are meant as an .xls file: an OLE2 compound file, or a bare BIFF stream as
// Excel 2.x-4.0 saved them (which readXls names but does not read).
bool looksLikeXls(std::span<const std::uint8_t> bytes);

// The BOF record ids of Excel 2.x, 3.0 and 4.0 worksheets and workbooks.
bool isExcel2To4Bof(std::uint16_t id);
// The failure for such a workbook: named, not read.
core::Failure excel2To4Workbook();

} // namespace orvanto::spreadsheet
