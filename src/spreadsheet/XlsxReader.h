// Reads the cells the viewer needs from an .xlsx/.xlsm file held in memory.
#pragma once

#include <cstdint>
#include <span>

#include "CellValue.h"
#include "Failure.h"

namespace orvanto::spreadsheet {

Result<WorkbookCells> readXlsx(std::span<const std::uint8_t> bytes);

} // namespace orvanto::spreadsheet
