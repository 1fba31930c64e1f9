// A worksheet of an exported workbook as the import's table: each cell's value as the text a
// spreadsheet shows, merged ranges as spans.
#pragma once

#include "core/Failure.h"
#include "imports/decode/SourceTable.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/SheetContents.h"

namespace orvanto::imports {

// The table and its texts are charged to budget, which the reading of the workbook began.
core::Result<SourceTable> worksheetTable(const spreadsheet::SheetContents& sheet,
                                         spreadsheet::ReadBudget& budget);

} // namespace orvanto::imports
