// One cell as a reader found it, before it is turned into text.
#pragma once

#include "core/WorkbookLayout.h"

#include <array>
#include <cstddef>
#include <string>

namespace orvanto::spreadsheet {

// How a number's format affects its text: dates and times, currency, or plain.
enum class FormatKind { General, Date, Currency };

struct CellValue {
    enum class Kind { Empty, String, Number, Boolean, Error };

    Kind kind = Kind::Empty;
    std::string text;  // String: the UTF-8 text. Error: its code text, e.g. "#N/A".
    double number = 0; // Number: the value (a serial date for Date formats).
    bool boolean = false;
    FormatKind format = FormatKind::General;
    // The formula as Excel shows it ("=A1&B1"), empty for constants. The marker
    // search matches it instead of the value, as Excel's Find does by default.
    std::string formula;
    // A formula whose text the reader could not rebuild. The search then sees no text at all,
    // never the value: a value found where Excel would look at the formula gives wrong rows.
    bool formulaUnknown = false;

    bool operator==(const CellValue&) const = default;
};

// Everything the viewer can ever read from a workbook.
struct WorkbookCells {
    // The marker column of the first worksheet, and the class columns of the active sheet.
    static constexpr int kMarkerRows = core::WorkbookLayout::kMarkerRows;
    static constexpr int kGridRows = core::WorkbookLayout::kClassRows;
    static constexpr int kGridColumns = core::WorkbookLayout::kClassColumns;
    static constexpr char kFirstGridColumn = core::WorkbookLayout::kFirstClassColumn;
    // Every cell a reader may keep; more means a cell was given twice.
    static constexpr std::size_t kMaxKeptCells = kMarkerRows + kGridRows * kGridColumns;

    std::array<CellValue, kMarkerRows> markerColumn{}; // index 0 is row 1
    // grid[row - 1][column - kFirstGridColumn]
    std::array<std::array<CellValue, kGridColumns>, kGridRows> grid{};
    // False when the sheet active at save time is a chart or macro sheet.
    bool activeSheetIsWorksheet = true;
    // Markers and texts come from different sheets when the workbook was saved while a sheet
    // other than its first worksheet was shown: the grid then looks empty. Names as saved.
    bool activeIsFirstWorksheet = true;
    std::string firstWorksheetName;
    std::string activeSheetName;
    bool date1904 = false;
};

} // namespace orvanto::spreadsheet
