// What the names and 3-D references of a formula point at, from the workbook globals: the
// sheets, the EXTERNSHEET table, the SUPBOOK records (BIFF5: EXTERNSHEET records) with their
// external names, and the workbook's NAME records.
#pragma once

#include "BiffTextDecoder.h"
#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {

struct XlsLinkTable {
    // A workbook formulas refer to: this one, the add-in functions, or another file.
    struct Book {
        enum class Kind { Self, AddIn, External };
        Kind kind = Kind::Self;
        std::string file;                // External: the path as Excel shows it
        std::vector<std::string> sheets; // External: its sheet names
        std::vector<std::string> names;  // EXTERNNAME records: add-in functions, external names
    };
    // BIFF8 EXTERNSHEET entry: a book and a range of its sheets.
    struct SheetRange {
        std::uint16_t book = 0;
        std::uint16_t first = 0; // 0xFFFE: the book itself, 0xFFFF: a deleted sheet
        std::uint16_t last = 0;
    };

    std::vector<std::string> sheets;     // this workbook's sheet names, in order
    std::vector<Book> books;             // BIFF8 SUPBOOKs; BIFF5 one per EXTERNSHEET
    std::vector<SheetRange> sheetRanges; // BIFF8 only
    std::vector<std::string> names;      // NAME records as formulas spell them
};

// A globals record kept until the code page is known.
struct RawBiffRecord {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> data;
};

// The table from the BOUNDSHEET, SUPBOOK, EXTERNSHEET, EXTERNNAME and NAME records, in stream
// order. A damaged record leaves its entry empty rather than shifting the entries after it.
// Every entry and name is charged to budget before it is kept.
core::Result<XlsLinkTable> buildLinkTable(const std::vector<RawBiffRecord>& records, bool biff8,
                                          const BiffTextDecoder& text, ReadBudget& budget);

} // namespace orvanto::spreadsheet
