#include "XlsSheetReader.h"

#include "BiffContinuedReader.h"
#include "XlsErrorCodes.h"
#include "XlsRecordIds.h"
#include "core/Utf8.h"
#include "core/WorkbookLayout.h"
#include "spreadsheet/LoadFailure.h"

#include <bit>
#include <string>

namespace orvanto::spreadsheet {

namespace {

// 0-based, as records number columns.
constexpr std::uint16_t kMarkerColumn =
    core::WorkbookLayout::columnNumber(core::WorkbookLayout::kMarkerColumn) - 1;
constexpr std::uint16_t kFirstGridColumn =
    core::WorkbookLayout::columnNumber(core::WorkbookLayout::kFirstClassColumn) - 1;
constexpr std::uint32_t kLastColumn = 0xFFFF; // the highest a record can name
constexpr std::size_t kCellHeader = 6;        // row, column, XF index
// Writers put cells in blocks of at most 32 rows, blocks in ascending order; a cell this far
// past the last wanted row means no wanted cell can follow.
constexpr int kRowBlock = 32;

double rkValue(std::uint32_t rk) {
    double value = 0;
    if ((rk & 0x02) != 0) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
    }
    return (rk & 0x01) != 0 ? value / 100 : value;
}

CellValue numberCell(double value, FormatKind format) {
    CellValue cell;
    cell.kind = CellValue::Kind::Number;
    cell.number = value;
    cell.format = format;
    return cell;
}

CellValue boolOrError(std::uint8_t value, bool isError) {
    CellValue cell;
    if (isError) {
        cell.kind = CellValue::Kind::Error;
        cell.text = std::string(xlsErrorText(value));
    } else {
        cell.kind = CellValue::Kind::Boolean;
        cell.boolean = value != 0;
    }
    return cell;
}

core::Failure damaged(const BiffRecord& record) {
    return loadFailure(core::Status::Damaged, "the workbook stream",
                       "bad cell record at offset " + std::to_string(record.offset));
}

} // namespace

XlsSheetReader::XlsSheetReader(BiffRecordCursor& cursor, const XlsGlobals& globals,
                               ReadBudget& budget)
    : m_cursor(cursor), m_globals(globals), m_budget(budget), m_text(globals.codePage),
      m_formulas(globals.biff8, m_text, globals.links) {}

void XlsSheetReader::forget(CellValue& cell) {
    // A cell written again gives its earlier text back to the budget.
    m_sharedStrings.erase(&cell);
    m_budget.giveBack(cell.text.size() + cell.formula.size());
    cell = CellValue{};
}

core::Result<void> XlsSheetReader::keepText(CellValue& cell, std::string text) {
    if (!m_budget.take(text.size())) {
        return ReadBudget::spent();
    }
    cell.text = std::move(text);
    return {};
}

// An error cell's text ("#DIV/0!") is charged like any other, so forget() gives back only
// what was taken.
core::Result<void> XlsSheetReader::chargeErrorText(const CellValue& cell) {
    if (!m_budget.take(cell.text.size())) {
        return ReadBudget::spent();
    }
    return {};
}

core::Result<void> XlsSheetReader::keepFormula(CellValue& cell, std::optional<std::string> text) {
    // A formula that cannot be spelled out is searched as no text, never by its value.
    if (!text) {
        cell.formulaUnknown = true;
        return {};
    }
    if (!m_budget.take(text->size())) {
        return ReadBudget::spent();
    }
    cell.formula = std::move(*text);
    return {};
}

CellValue* XlsSheetReader::target(std::uint32_t row, std::uint32_t column) const {
    if (!m_region.keeps(static_cast<int>(row) + 1, static_cast<int>(column) + 1)) {
        return nullptr;
    }
    if (m_anyCells != nullptr) {
        if (m_anyCells->size() >= KeptRegion::kMaxWholeSheetCells) {
            return nullptr; // unreachable within the region's bounds; kept as a guard
        }
        return &(
            *m_anyCells)[{static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column)}];
    }
    if (column == kMarkerColumn) {
        return &m_cells->markerColumn[row];
    }
    return &m_cells->grid[row][column - kFirstGridColumn];
}

core::Result<void> XlsSheetReader::read(std::uint64_t offset, KeptRegion region,
                                        WorkbookCells& cells) {
    m_region = region;
    m_cells = &cells;
    m_anyCells = nullptr;
    m_merges = nullptr;
    return readRecords(offset);
}

core::Result<void> XlsSheetReader::readWholeSheet(std::uint64_t offset, CellMap& cells,
                                                  std::vector<MergedRange>& merges) {
    m_region = KeptRegion::wholeSheet();
    m_cells = nullptr;
    m_anyCells = &cells;
    m_merges = &merges;
    return readRecords(offset);
}

core::Result<void> XlsSheetReader::mergedCells(const BiffRecord& record) {
    // A count, then first row, last row, first column, last column per range. A merge is
    // layout, not content: a bad one is left out and loses nothing.
    const auto& data = record.data;
    if (m_merges == nullptr || data.size() < 2) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(readU16(data, 0), (data.size() - 2) / 8);
    for (std::size_t i = 0; i < count && m_merges->size() < limits::kMergedRanges; ++i) {
        if (!m_budget.take(sizeof(MergedRange))) {
            return ReadBudget::spent();
        }
        const std::size_t at = 2 + i * 8;
        m_merges->push_back({readU16(data, at) + 1, readU16(data, at + 2) + 1,
                             readU16(data, at + 4) + 1, readU16(data, at + 6) + 1});
    }
    return {};
}

core::Result<void> XlsSheetReader::readRecords(std::uint64_t offset) {
    m_pendingString = nullptr;
    m_pendingGroup = nullptr;
    m_groups.clear();
    m_budget.giveBack(m_groupBytes);
    m_groupBytes = 0;
    m_lastRow = m_region.lastRow() - 1;

    m_cursor.seek(offset);
    auto bof = m_cursor.next();
    if (!bof) {
        return bof.failure();
    }
    if (!*bof || (*bof)->id != biff::kBof) {
        return loadFailure(core::Status::Damaged, "the sheet list",
                           "no sheet starts at offset " + std::to_string(offset));
    }
    int nested = 0; // charts embedded in the sheet are substreams of their own
    for (;;) {
        auto next = m_cursor.next();
        if (!next) {
            return next.failure();
        }
        if (!*next) {
            return {}; // a sheet cut off at the end of the stream keeps what it had
        }
        BiffRecord record = **next;
        if (record.id == biff::kFormulaBiff3 || record.id == biff::kFormulaBiff4) {
            record.id = biff::kFormula;
        }
        if (record.id == biff::kBof) {
            ++nested;
            continue;
        }
        if (record.id == biff::kEof) {
            if (nested == 0) {
                return {};
            }
            --nested;
            continue;
        }
        if (nested > 0) {
            continue;
        }
        if (record.id == biff::kString) {
            if (auto done = formulaString(record); !done) {
                return done;
            }
            continue;
        }
        if (record.id == biff::kMergedCells) {
            if (auto done = mergedCells(record); !done) {
                return done;
            }
            continue;
        }
        if (record.id == biff::kSharedFormula || record.id == biff::kArrayFormula) {
            if (auto done = groupFormula(record); !done) {
                return done;
            }
            continue;
        }
        switch (record.id) {
        case biff::kLabelSst:
        case biff::kLabel:
        case biff::kRString:
        case biff::kNumber:
        case biff::kRk:
        case biff::kMulRk:
        case biff::kBlank:
        case biff::kMulBlank:
        case biff::kBoolErr:
        case biff::kFormula:
            break;
        default:
            continue;
        }
        if (record.data.size() < 4) {
            return damaged(record);
        }
        m_pendingString = nullptr;
        m_pendingGroup = nullptr;
        // A whole sheet is read on for its merged ranges, which follow the cells.
        if (readU16(record.data, 0) > m_lastRow + kRowBlock && m_anyCells == nullptr) {
            return {};
        }
        if (auto done = cell(record); !done) {
            return done;
        }
    }
}

core::Result<void> XlsSheetReader::multipleNumbers(const BiffRecord& record) {
    // column of the first cell, then six bytes (XF, RK value) per cell, then the last column
    const auto& data = record.data;
    const std::uint16_t row = readU16(data, 0);
    const std::uint32_t column = readU16(data, 2);
    const std::size_t count = data.size() >= 6 ? (data.size() - 6) / 6 : 0;
    // Counted in a wider type and stopped at the last column a record can name: a damaged
    // record must not wrap round into columns A, B, C of its row.
    for (std::size_t i = 0; i < count && column + i <= kLastColumn; ++i) {
        CellValue* cell = target(row, static_cast<std::uint32_t>(column + i));
        if (cell != nullptr) {
            forget(*cell);
            const std::size_t at = 4 + i * 6;
            *cell =
                numberCell(rkValue(readU32(data, at + 2)), m_globals.formatOf(readU16(data, at)));
        }
    }
    return {};
}

core::Result<void> XlsSheetReader::cell(const BiffRecord& record) {
    const auto& data = record.data;
    const std::uint16_t row = readU16(data, 0);
    const std::uint16_t column = readU16(data, 2);
    if (record.id == biff::kMulRk) {
        return multipleNumbers(record);
    }
    if (record.id == biff::kMulBlank || record.id == biff::kBlank) {
        return {}; // blank cells stay empty
    }
    CellValue* cell = target(row, column);
    if (cell == nullptr) {
        return {};
    }
    forget(*cell);
    if (data.size() < kCellHeader) {
        return damaged(record);
    }
    const std::uint16_t xf = readU16(data, 4);
    switch (record.id) {
    case biff::kLabelSst:
        if (data.size() < kCellHeader + 4) {
            return damaged(record);
        }
        *cell = CellValue{};
        cell->kind = CellValue::Kind::String;
        m_sharedStrings[cell] = readU32(data, kCellHeader);
        return {};
    case biff::kLabel:
    case biff::kRString: {
        auto text = m_text.readRecordString(data, kCellHeader, m_globals.biff8);
        if (!text) {
            return damaged(record);
        }
        *cell = CellValue{};
        cell->kind = CellValue::Kind::String;
        return keepText(*cell, std::move(*text));
    }
    case biff::kNumber:
        if (data.size() < kCellHeader + 8) {
            return damaged(record);
        }
        *cell = numberCell(readF64(data, kCellHeader), m_globals.formatOf(xf));
        return {};
    case biff::kRk:
        if (data.size() < kCellHeader + 4) {
            return damaged(record);
        }
        *cell = numberCell(rkValue(readU32(data, kCellHeader)), m_globals.formatOf(xf));
        return {};
    case biff::kBoolErr:
        if (data.size() < kCellHeader + 2) {
            return damaged(record);
        }
        *cell = boolOrError(data[kCellHeader], data[kCellHeader + 1] != 0);
        return chargeErrorText(*cell);
    case biff::kFormula:
        return formula(record, *cell);
    default:
        return {};
    }
}

core::Result<void> XlsSheetReader::formula(const BiffRecord& record, CellValue& cell) {
    // row, column, XF, cached result (8), flags (2), reserved (4), token size (2), tokens
    constexpr std::size_t kResult = 6;
    constexpr std::size_t kTokenSize = 20;
    constexpr std::size_t kTokens = 22;
    const auto& data = record.data;
    if (data.size() < kTokens) {
        return damaged(record);
    }
    cell = CellValue{};
    if (readU16(data, kResult + 6) != 0xFFFF) {
        cell = numberCell(readF64(data, kResult), m_globals.formatOf(readU16(data, 4)));
    } else {
        switch (data[kResult]) {
        case 0x00: // text, in the STRING record that follows
            cell.kind = CellValue::Kind::String;
            m_pendingString = &cell;
            break;
        case 0x01:
            cell = boolOrError(data[kResult + 2], false);
            break;
        case 0x02:
            cell = boolOrError(data[kResult + 2], true);
            break;
        case 0x03:
            cell.kind = CellValue::Kind::String;
            break;
        default:
            return damaged(record);
        }
        if (auto charged = chargeErrorText(cell); !charged) {
            return charged;
        }
    }
    const std::size_t tokenSize = readU16(data, kTokenSize);
    if (tokenSize > data.size() - kTokens) {
        return keepFormula(cell, std::nullopt);
    }
    const auto tokens = data.subspan(kTokens, tokenSize);
    const XlsCellPosition here{readU16(data, 0), readU16(data, 2)};
    const auto first = FormulaDecompiler::sharedFormulaCell(tokens);
    if (!first) {
        return keepFormula(cell,
                           m_formulas.decompile(tokens, data.subspan(kTokens + tokenSize), here));
    }
    if (const GroupFormula* group = findGroup(*first)) {
        return keepFormula(cell, m_formulas.decompile(group->tokens, group->extra, here));
    }
    if (*first == here) {
        // The first cell of a group: its SHRFMLA or ARRAY record comes next.
        m_pendingGroup = &cell;
        m_pendingGroupAt = here;
    }
    return keepFormula(cell, std::nullopt);
}

core::Result<void> XlsSheetReader::groupFormula(const BiffRecord& record) {
    // first row, last row, first column, last column; then the shared formula's reserved byte,
    // use count and token size, or the array formula's flags, reserved word and token size
    const bool shared = record.id == biff::kSharedFormula;
    const std::size_t tokenSizeAt = shared ? 8 : 12;
    const auto& data = record.data;
    if (data.size() < tokenSizeAt + 2) {
        return damaged(record);
    }
    const std::size_t tokenSize = readU16(data, tokenSizeAt);
    const std::size_t tokensAt = tokenSizeAt + 2;
    if (tokenSize > data.size() - tokensAt) {
        return damaged(record);
    }
    GroupFormula group;
    group.first = {readU16(data, 0), data[4]};
    group.last = {readU16(data, 2), data[5]};
    const auto tokens = data.subspan(tokensAt, tokenSize);
    const auto extra = data.subspan(tokensAt + tokenSize);
    group.tokens.assign(tokens.begin(), tokens.end());
    group.extra.assign(extra.begin(), extra.end());

    if (m_pendingGroup != nullptr && m_pendingGroupAt == group.first) {
        CellValue& cell = *m_pendingGroup;
        m_pendingGroup = nullptr;
        cell.formulaUnknown = false;
        if (auto kept = keepFormula(cell, m_formulas.decompile(tokens, extra, m_pendingGroupAt));
            !kept) {
            return kept;
        }
    }
    // Kept only when it may reach a kept cell, and within the text budget.
    const bool reachesKept =
        m_region.reaches(group.first.row + 1, group.first.column + 1, group.last.column + 1);
    if (!reachesKept) {
        return {};
    }
    const CellKey key{group.first.row, group.first.column};
    if (auto old = m_groups.find(key); old != m_groups.end()) {
        const std::size_t oldSize = old->second.tokens.size() + old->second.extra.size();
        m_budget.giveBack(oldSize);
        m_groupBytes -= oldSize;
    }
    const std::size_t size = group.tokens.size() + group.extra.size();
    if (!m_budget.take(size)) {
        return ReadBudget::spent();
    }
    m_groupBytes += size;
    m_groups[key] = std::move(group);
    return {};
}

const XlsSheetReader::GroupFormula* XlsSheetReader::findGroup(XlsCellPosition first) const {
    auto found = m_groups.find({first.row, first.column});
    if (found != m_groups.end()) {
        return &found->second;
    }
    return nullptr;
}

core::Result<void> XlsSheetReader::formulaString(const BiffRecord& record) {
    CellValue* cell = m_pendingString;
    m_pendingString = nullptr;
    if (cell == nullptr) {
        return {};
    }
    if (!m_globals.biff8) {
        auto text = m_text.readRecordString(record.data, 0, false);
        if (!text) {
            return damaged(record);
        }
        return keepText(*cell, std::move(*text));
    }
    BiffContinuedReader reader(record.data, m_cursor);
    std::u16string units;
    if (!reader.readUnicodeString(units)) {
        return reader.failureOr(damaged(record));
    }
    return keepText(*cell, core::toUtf8(units));
}

} // namespace orvanto::spreadsheet
