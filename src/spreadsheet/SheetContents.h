// Every kept cell of one worksheet with its merged ranges: what reading a school's export
// needs, where the viewer's fixed columns do not fit.
#pragma once

#include "CellValue.h"

#include <string>
#include <vector>

namespace orvanto::spreadsheet {

struct PlacedCell {
    int row = 0;    // 1-based
    int column = 0; // 1-based, A is 1
    CellValue value;
};

struct MergedRange {
    int firstRow = 0; // 1-based, inclusive
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

struct SheetContents {
    std::string name;
    std::vector<PlacedCell> cells; // non-empty cells within KeptRegion::wholeSheet()
    std::vector<MergedRange> merges;
    bool date1904 = false;
    // False for a worksheet past limits::kExportSheets: only its name is known.
    bool read = true;
};

} // namespace orvanto::spreadsheet
