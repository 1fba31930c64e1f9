// What the workbook globals substream of a BIFF5/BIFF8 stream says about the whole file:
// sheets and where they start, the active sheet, date system, code page, number formats.
#pragma once

#include "BiffRecordCursor.h"
#include "XlsLinkTable.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/ReadBudget.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvanto::spreadsheet {

struct XlsSheet {
    enum class Type { Worksheet, MacroSheet, Chart, VbModule };
    std::uint64_t offset = 0; // of the sheet's BOF record in the stream
    Type type = Type::Worksheet;
};

struct XlsGlobals {
    bool biff8 = true;
    std::vector<XlsSheet> sheets;  // in workbook order
    std::uint16_t activeSheet = 0; // index into sheets, as saved (may be out of range)
    bool date1904 = false;
    std::uint16_t codePage = 1252;
    std::optional<std::uint64_t> sstOffset; // of the SST record

    // How a cell with extended format index xf shows numbers.
    FormatKind formatOf(std::uint16_t xf) const;

    std::unordered_map<std::uint16_t, std::string> formatCodes; // FORMAT id -> code
    std::vector<std::uint16_t> xfFormats;                       // XF index -> FORMAT id
    XlsLinkTable links; // sheet names, names and links for formula text
};

// Reads the globals substream that starts at the beginning of the stream, charging budget
// for the names and format codes it keeps.
core::Result<XlsGlobals> readXlsGlobals(BiffRecordCursor& cursor, ReadBudget& budget);

} // namespace orvanto::spreadsheet
