// Reads the cells the viewer needs from an .xlsx/.xlsm file held in memory.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/CellValue.h"

#include <cstdint>
#include <span>

namespace orvanto::spreadsheet {

core::Result<WorkbookCells> readXlsx(std::span<const std::uint8_t> bytes);

} // namespace orvanto::spreadsheet
