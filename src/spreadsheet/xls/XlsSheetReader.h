// Reads the cells of a KeptRegion from one worksheet substream of a BIFF5/BIFF8 stream: into
// the viewer's fixed columns, or every cell with the merged ranges for reading an export.
#pragma once

#include "BiffRecordCursor.h"
#include "BiffTextDecoder.h"
#include "FormulaDecompiler.h"
#include "XlsGlobals.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/KeptRegion.h"
#include "spreadsheet/ReadBudget.h"
#include "spreadsheet/ReadLimits.h"
#include "spreadsheet/SheetContents.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvanto::spreadsheet {

class XlsSheetReader {
  public:
    // Cells by (row, column), both 0-based.
    using CellMap = std::map<std::pair<std::uint16_t, std::uint16_t>, CellValue>;

    // Every text, formula and merged range kept is charged to budget before it is kept.
    XlsSheetReader(BiffRecordCursor& cursor, const XlsGlobals& globals, ReadBudget& budget);

    // Reads the sheet whose BOF record is at offset: the marker column and/or the grid of
    // region into cells.
    core::Result<void> read(std::uint64_t offset, KeptRegion region, WorkbookCells& cells);
    // The same for KeptRegion::wholeSheet(), every kept cell into cells, and its merged ranges.
    core::Result<void> readWholeSheet(std::uint64_t offset, CellMap& cells,
                                      std::vector<MergedRange>& merges);

    // Cells holding a shared string, by the string's index, to be filled in once the table
    // is looked up. At most one entry per kept cell, however many records a file repeats.
    const std::unordered_map<CellValue*, std::uint32_t>& sharedStrings() const {
        return m_sharedStrings;
    }

  private:
    // A shared formula (SHRFMLA) or array formula (ARRAY) that FORMULA records of the cells
    // in its range refer to by its first cell.
    struct GroupFormula {
        XlsCellPosition first;
        XlsCellPosition last;
        std::vector<std::uint8_t> tokens;
        std::vector<std::uint8_t> extra;
    };
    using CellKey = std::pair<std::uint16_t, std::uint16_t>; // row, column

    void forget(CellValue& cell);
    core::Result<void> keepText(CellValue& cell, std::string text);
    core::Result<void> chargeErrorText(const CellValue& cell);
    core::Result<void> keepFormula(CellValue& cell, std::optional<std::string> text);
    CellValue* target(std::uint32_t row, std::uint32_t column) const;
    core::Result<void> cell(const BiffRecord& record);
    core::Result<void> multipleNumbers(const BiffRecord& record);
    core::Result<void> formula(const BiffRecord& record, CellValue& cell);
    core::Result<void> formulaString(const BiffRecord& record);
    core::Result<void> groupFormula(const BiffRecord& record);
    const GroupFormula* findGroup(XlsCellPosition first) const;

    BiffRecordCursor& m_cursor;
    core::Result<void> readRecords(std::uint64_t offset);
    core::Result<void> mergedCells(const BiffRecord& record);

    const XlsGlobals& m_globals;
    ReadBudget& m_budget;
    KeptRegion m_region = KeptRegion::none();
    WorkbookCells* m_cells = nullptr;
    CellMap* m_anyCells = nullptr;
    std::vector<MergedRange>* m_merges = nullptr;
    BiffTextDecoder m_text;
    FormulaDecompiler m_formulas;
    int m_lastRow = 0; // the last row (0-based) whose cells or formulas may be kept
    CellValue* m_pendingString = nullptr; // formula whose text result follows in STRING
    // The first cell of a shared or array formula, whose SHRFMLA or ARRAY record follows it.
    CellValue* m_pendingGroup = nullptr;
    XlsCellPosition m_pendingGroupAt;
    std::map<CellKey, GroupFormula> m_groups;
    std::size_t m_groupBytes = 0; // of m_groups, charged while they are kept
    std::unordered_map<CellValue*, std::uint32_t> m_sharedStrings;
};

} // namespace orvanto::spreadsheet
