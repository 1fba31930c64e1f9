// Reads the cells the viewer needs from a legacy .xls (BIFF5/BIFF8) file held in memory.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/CellValue.h"

#include <cstdint>
#include <span>

namespace orvanto::spreadsheet {

core::Result<WorkbookCells> readXls(std::span<const std::uint8_t> bytes);

} // namespace orvanto::spreadsheet
