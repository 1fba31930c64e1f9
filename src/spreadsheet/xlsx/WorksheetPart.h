// Reads the cells the viewer keeps from one worksheet part, streaming its rows
// and stopping at the first row past the last one wanted.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/KeptRegion.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/SheetContents.h"

#include <string>
#include <vector>

namespace orvanto::spreadsheet {

class WorksheetPart {
  public:
    // A kept cell. Shared strings and number formats are resolved later, from
    // the indexes here, so those parts are read only for the cells kept.
    struct Cell {
        int row = 0;    // 1-based
        int column = 0; // 1-based, A is 1
        CellValue value;
        long long sharedString = -1; // t="s": index into the shared strings
        long long style = 0;         // index into cellXfs
    };

    // The kept cells and, when the whole sheet is kept, its merged ranges.
    struct Contents {
        std::vector<Cell> cells;
        std::vector<MergedRange> merges;
    };

    static core::Result<Contents> read(const ZipArchive& archive, const std::string& path,
                                       KeptRegion region, bool date1904, ReadBudget& budget);
};

} // namespace orvanto::spreadsheet
