// Reads the cells the viewer needs from an .xlsx/.xlsm file held in memory.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/SheetContents.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::spreadsheet {

core::Result<WorkbookCells> readXlsx(std::span<const std::uint8_t> bytes);

// Every worksheet of the file, in workbook order, each kept as KeptRegion::wholeSheet().
core::Result<std::vector<SheetContents>> readXlsxSheets(std::span<const std::uint8_t> bytes,
                                                        ReadBudget& budget);

} // namespace orvanto::spreadsheet
