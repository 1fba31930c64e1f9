// Reads the cells the viewer keeps from one worksheet substream of a BIFF5/BIFF8 stream:
// column B rows 1-200 for the marker search and/or columns C-I rows 1-202 for the grid.
#pragma once

#include "BiffRecordCursor.h"
#include "BiffTextDecoder.h"
#include "FormulaDecompiler.h"
#include "XlsGlobals.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"

#include <cstdint>
#include <unordered_map>

namespace orvanto::spreadsheet {

class XlsSheetReader {
  public:
    // Text kept for all cells together may not exceed this: a small file could otherwise
    // make every kept cell a copy of one 64K-character string. Real timetables stay far below.
    static constexpr std::size_t kMaxKeptText = WorkbookCells::kMaxTextBytes;
    static core::Failure tooMuchText();

    XlsSheetReader(BiffRecordCursor& cursor, const XlsGlobals& globals, WorkbookCells& cells);

    // Reads the sheet whose BOF record is at offset into the parts of cells asked for.
    core::Result<bool> read(std::uint64_t offset, bool markerColumn, bool grid);

    // Cells holding a shared string, by the string's index, to be filled in once the table
    // is looked up. At most one entry per kept cell, however many records a file repeats.
    const std::unordered_map<CellValue*, std::uint32_t>& sharedStrings() const {
        return m_sharedStrings;
    }

    // Bytes of text kept so far, shared strings not counted until they are looked up.
    std::size_t keptText() const { return m_keptText; }

  private:
    void forget(CellValue& cell);
    core::Result<bool> keepText(CellValue& cell, std::string text);
    CellValue* target(std::uint16_t row, std::uint16_t column) const;
    core::Result<bool> cell(const BiffRecord& record);
    core::Result<bool> formula(const BiffRecord& record, CellValue& cell);
    core::Result<bool> formulaString(const BiffRecord& record);

    BiffRecordCursor& m_cursor;
    const XlsGlobals& m_globals;
    WorkbookCells& m_cells;
    BiffTextDecoder m_text;
    FormulaDecompiler m_formulas;
    bool m_markerColumn = false;
    bool m_grid = false;
    CellValue* m_pendingString = nullptr; // formula whose text result follows in STRING
    std::unordered_map<CellValue*, std::uint32_t> m_sharedStrings;
    std::size_t m_keptText = 0;
};

} // namespace orvanto::spreadsheet
