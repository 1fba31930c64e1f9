// A worksheet of an exported workbook as the import's table: each cell's value as the text a
// spreadsheet shows, merged ranges as spans.
#pragma once

#include "imports/decode/SourceTable.h"
#include "spreadsheet/SheetContents.h"

namespace orvanto::imports {

SourceTable worksheetTable(const spreadsheet::SheetContents& sheet);

} // namespace orvanto::imports
