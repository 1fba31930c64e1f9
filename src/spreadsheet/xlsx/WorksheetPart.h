// Reads the cells the viewer keeps from one worksheet part, streaming its rows
// and stopping at the first row past the last one wanted.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"

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

    // Which cells to keep: column B rows 1..markerRows and columns C..I rows
    // 1..gridRows (0 keeps none of that kind).
    struct Wanted {
        int markerRows = 0;
        int gridRows = 0;
    };

    // Strings longer than this (bytes of UTF-8) mean a hostile part: Excel's own
    // limit is 32767 characters.
    static constexpr std::size_t kMaxTextBytes = 256 * 1024;

    static core::Result<std::vector<Cell>> read(const ZipArchive& archive, const std::string& path,
                                                Wanted wanted, bool date1904);
};

} // namespace orvanto::spreadsheet
