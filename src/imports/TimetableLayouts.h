// Finds the timetables among an export's tables, grid or list layout, and reads their classes.
#pragma once

#include "ImportedClass.h"
#include "SourceTable.h"
#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"

#include <span>

namespace orvanto::imports {

// Every table is examined; those that hold a timetable give their classes and the texts of
// their timetable area that became part of no class. Fails with a one-line reason ("no row or
// column of weekday names found", ...) when no table holds one.
core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables);
// The same, charging the classes and texts kept to budget, table by table.
core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          spreadsheet::ReadBudget& budget);

} // namespace orvanto::imports
