// Writes an imported timetable as an .xlsx workbook with libxlsxwriter: the laid-out classes
// on the first, active sheet, and every text not understood on a second sheet, 未识别.
#pragma once

#include "core/Failure.h"
#include "imports/ImportedClass.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::imports {

// The workbook's bytes; fails as layOutClasses does.
core::Result<std::vector<std::uint8_t>> writeTimetableWorkbook(const ImportResult& result);

} // namespace orvanto::imports
