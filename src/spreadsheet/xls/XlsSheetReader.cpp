#include "XlsSheetReader.h"

#include "BiffContinuedReader.h"
#include "XlsErrorCodes.h"
#include "XlsRecordIds.h"
#include "core/Utf8.h"

#include <bit>
#include <string>

namespace orvanto::spreadsheet {

namespace {

constexpr std::uint16_t kMarkerColumn = 1;    // B
constexpr std::uint16_t kFirstGridColumn = 2; // C
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
    return core::errors::loadFailure("damaged cell record at offset " +
                                     std::to_string(record.offset));
}

} // namespace

XlsSheetReader::XlsSheetReader(BiffRecordCursor& cursor, const XlsGlobals& globals,
                               WorkbookCells& cells)
    : m_cursor(cursor), m_globals(globals), m_cells(cells), m_text(globals.codePage),
      m_formulas(globals.biff8, m_text) {}

core::Failure XlsSheetReader::tooMuchText() {
    return core::errors::loadFailure("cell text larger than " + std::to_string(kMaxKeptText >> 20) +
                                     " MB in total");
}

void XlsSheetReader::forget(CellValue& cell) {
    // A cell written again gives its earlier text back to the budget.
    m_sharedStrings.erase(&cell);
    m_keptText -= std::min(m_keptText, cell.text.size());
    cell = CellValue{};
}

core::Result<bool> XlsSheetReader::keepText(CellValue& cell, std::string text) {
    if (text.size() > kMaxKeptText - m_keptText) {
        return tooMuchText();
    }
    m_keptText += text.size();
    cell.text = std::move(text);
    return true;
}

CellValue* XlsSheetReader::target(std::uint16_t row, std::uint16_t column) const {
    if (m_markerColumn && column == kMarkerColumn && row < WorkbookCells::kMarkerRows) {
        return &m_cells.markerColumn[row];
    }
    if (m_grid && column >= kFirstGridColumn &&
        column < kFirstGridColumn + WorkbookCells::kGridColumns && row < WorkbookCells::kGridRows) {
        return &m_cells.grid[row][column - kFirstGridColumn];
    }
    return nullptr;
}

core::Result<bool> XlsSheetReader::read(std::uint64_t offset, bool markerColumn, bool grid) {
    m_markerColumn = markerColumn;
    m_grid = grid;
    m_pendingString = nullptr;
    const int lastRow = grid ? WorkbookCells::kGridRows - 1 : WorkbookCells::kMarkerRows - 1;

    m_cursor.seek(offset);
    auto bof = m_cursor.next();
    if (!bof) {
        return bof.failure();
    }
    if (!*bof || (*bof)->id != biff::kBof) {
        return core::errors::loadFailure("no sheet starts at offset " + std::to_string(offset));
    }
    int nested = 0; // charts embedded in the sheet are substreams of their own
    for (;;) {
        auto next = m_cursor.next();
        if (!next) {
            return next.failure();
        }
        if (!*next) {
            return true; // a sheet cut off at the end of the stream keeps what it had
        }
        const BiffRecord& record = **next;
        if (record.id == biff::kBof) {
            ++nested;
            continue;
        }
        if (record.id == biff::kEof) {
            if (nested == 0) {
                return true;
            }
            --nested;
            continue;
        }
        if (nested > 0) {
            continue;
        }
        if (record.id == biff::kString) {
            auto done = formulaString(record);
            if (!done) {
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
        if (readU16(record.data, 0) > lastRow + kRowBlock) {
            return true;
        }
        auto done = cell(record);
        if (!done) {
            return done;
        }
    }
}

core::Result<bool> XlsSheetReader::cell(const BiffRecord& record) {
    const auto& data = record.data;
    const std::uint16_t row = readU16(data, 0);
    const std::uint16_t column = readU16(data, 2);
    if (record.id == biff::kMulRk) {
        // column of the first cell, then six bytes (XF, RK value) per cell, then the last column
        const std::size_t count = data.size() >= 6 ? (data.size() - 6) / 6 : 0;
        for (std::size_t i = 0; i < count; ++i) {
            CellValue* cell = target(row, static_cast<std::uint16_t>(column + i));
            if (cell != nullptr) {
                forget(*cell);
                const std::size_t at = 4 + i * 6;
                *cell = numberCell(rkValue(readU32(data, at + 2)),
                                   m_globals.formatOf(readU16(data, at)));
            }
        }
        return true;
    }
    if (record.id == biff::kMulBlank || record.id == biff::kBlank) {
        return true; // blank cells stay empty
    }
    CellValue* cell = target(row, column);
    if (cell == nullptr) {
        return true;
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
        return true;
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
        return true;
    case biff::kRk:
        if (data.size() < kCellHeader + 4) {
            return damaged(record);
        }
        *cell = numberCell(rkValue(readU32(data, kCellHeader)), m_globals.formatOf(xf));
        return true;
    case biff::kBoolErr:
        if (data.size() < kCellHeader + 2) {
            return damaged(record);
        }
        *cell = boolOrError(data[kCellHeader], data[kCellHeader + 1] != 0);
        return true;
    case biff::kFormula:
        return formula(record, *cell);
    default:
        return true;
    }
}

core::Result<bool> XlsSheetReader::formula(const BiffRecord& record, CellValue& cell) {
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
    }
    const std::size_t tokenSize = readU16(data, kTokenSize);
    if (tokenSize <= data.size() - kTokens) {
        cell.formula = m_formulas.decompile(data.subspan(kTokens, tokenSize)).value_or("");
    }
    return true;
}

core::Result<bool> XlsSheetReader::formulaString(const BiffRecord& record) {
    CellValue* cell = m_pendingString;
    m_pendingString = nullptr;
    if (cell == nullptr) {
        return true;
    }
    if (!m_globals.biff8) {
        auto text = m_text.readRecordString(record.data, 0, false);
        if (!text) {
            return damaged(record);
        }
        return keepText(*cell, std::move(*text));
    }
    std::optional<core::Failure> continueFailure;
    BiffContinuedReader reader(record.data, [&]() -> std::optional<std::span<const std::uint8_t>> {
        if (m_cursor.peekId() != biff::kContinue) {
            return std::nullopt;
        }
        auto next = m_cursor.next();
        if (!next) {
            continueFailure = next.failure();
            return std::nullopt;
        }
        if (!*next) {
            return std::nullopt;
        }
        return (*next)->data;
    });
    std::u16string units;
    if (!reader.readUnicodeString(units)) {
        if (continueFailure) {
            return *continueFailure;
        }
        return damaged(record);
    }
    return keepText(*cell, core::toUtf8(units));
}

} // namespace orvanto::spreadsheet
