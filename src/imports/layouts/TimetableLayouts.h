// Finds the timetables among an export's tables, grid or list layout, and reads their classes.
#pragma once

#include "core/Failure.h"
#include "imports/ExportReader.h"
#include "imports/ImportedClass.h"
#include "imports/decode/SourceTable.h"
#include "spreadsheet/ReadBudget.h"

#include <span>

namespace orvanto::imports {

// Every table is examined; those that hold a timetable give their classes and the texts of
// their timetable area that became part of no class. Fails with a one-line reason ("no row or
// column of weekday names found", ...) when no table holds one.
// The class cells are read under the dialect the sniffer ranks first over all of them, or under
// the one chosen instead.
core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          const ReadingChoice& choice = {});
// The same, charging the classes and texts kept to budget, table by table.
core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          spreadsheet::ReadBudget& budget,
                                          const ReadingChoice& choice = {});

} // namespace orvanto::imports
