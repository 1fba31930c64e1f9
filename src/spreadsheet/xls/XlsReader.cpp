#include "XlsReader.h"

#include "BiffRecordCursor.h"
#include "OleWorkbookStream.h"
#include "SharedStringTable.h"
#include "XlsGlobals.h"
#include "XlsRecordIds.h"
#include "XlsSheetReader.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/QuietGsf.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace orvanto::spreadsheet {

namespace {

constexpr std::uint8_t kOleSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool startsLikeOle2(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 4 && std::equal(kOleSignature, kOleSignature + 4, bytes.begin());
}

// A bare stream starts with its BOF record: id, then a length of 4 (BIFF2) or 6 (BIFF3/4).
bool isBareExcel2To4Stream(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 8) {
        return false;
    }
    const auto id = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    const auto length = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
    return isExcel2To4Bof(id) && length >= 4 && length <= 16;
}

} // namespace

bool isExcel2To4Bof(std::uint16_t id) {
    return id == biff::kBofBiff2 || id == biff::kBofBiff3 || id == biff::kBofBiff4;
}

core::Failure excel2To4Workbook() {
    return loadFailure(core::Status::UnsupportedFormat, "this Excel 2.x-4.0 workbook");
}

// The first four bytes of the signature mark a file meant as an .xls; the rest is checked
// when it is read, so a file cut inside the signature is named as truncated.
bool looksLikeXls(std::span<const std::uint8_t> bytes) {
    return startsLikeOle2(bytes) || isBareExcel2To4Stream(bytes);
}

namespace {

// The workbook stream opened and its globals read: what both ways of reading start from.
struct OpenedXls {
    std::unique_ptr<OleWorkbookStream> stream;
    std::unique_ptr<BiffRecordCursor> cursor;
    XlsGlobals globals;
};

core::Result<OpenedXls> openXls(std::span<const std::uint8_t> bytes, ReadBudget& budget) {
    if (isBareExcel2To4Stream(bytes)) {
        return excel2To4Workbook();
    }
    if (!startsLikeOle2(bytes)) {
        return loadFailure(core::Status::NotAWorkbook, {}, "not an OLE2 compound file");
    }
    auto stream = OleWorkbookStream::open(bytes);
    if (!stream) {
        return stream.failure();
    }
    OpenedXls opened;
    opened.stream = std::move(stream).value();
    opened.cursor = std::make_unique<BiffRecordCursor>(*opened.stream);
    auto globals = readXlsGlobals(*opened.cursor, budget);
    if (!globals) {
        return globals.failure();
    }
    opened.globals = std::move(globals).value();
    return opened;
}

// Fills in the texts of the cells that refer to the shared string table. One long string
// used by every kept cell would be copied into each: every copy is charged before it is made.
core::Result<void> resolveSharedStrings(const XlsSheetReader& reader, BiffRecordCursor& cursor,
                                        const XlsGlobals& globals, ReadBudget& budget) {
    const auto& uses = reader.sharedStrings();
    if (uses.empty()) {
        return {};
    }
    if (!globals.sstOffset) {
        return loadFailure(core::Status::MissingPart, "the shared string table",
                           "cells refer to shared strings");
    }
    std::vector<std::uint32_t> wanted;
    wanted.reserve(uses.size());
    for (const auto& [cell, index] : uses) {
        wanted.push_back(index);
    }
    auto strings = SharedStringTable::lookup(cursor, *globals.sstOffset, std::move(wanted), budget);
    if (!strings) {
        return strings.failure();
    }
    for (const auto& [cell, index] : uses) {
        const std::string& text = strings->at(index);
        if (!budget.take(text.size())) {
            return ReadBudget::spent();
        }
        cell->kind = CellValue::Kind::String;
        cell->text = text;
    }
    return {};
}

// The viewer's cells: the marker column of the first worksheet, the grid of the active sheet.
core::Result<WorkbookCells> viewerCells(OpenedXls& opened, ReadBudget& budget) {
    const XlsGlobals& globals = opened.globals;
    BiffRecordCursor& cursor = *opened.cursor;

    std::size_t firstWorksheet = globals.sheets.size();
    for (std::size_t i = 0; i < globals.sheets.size(); ++i) {
        if (globals.sheets[i].type == XlsSheet::Type::Worksheet) {
            firstWorksheet = i;
            break;
        }
    }
    if (firstWorksheet == globals.sheets.size()) {
        return loadFailure(core::Status::NoWorksheet);
    }
    // An active index past the last sheet comes from a damaged WINDOW1; Excel then opens
    // the workbook on its first sheet.
    const std::size_t active =
        globals.activeSheet < globals.sheets.size() ? globals.activeSheet : 0;

    auto cells = std::make_unique<WorkbookCells>();
    cells->date1904 = globals.date1904;
    cells->activeSheetIsWorksheet = globals.sheets[active].type == XlsSheet::Type::Worksheet;
    cells->activeIsFirstWorksheet = active == firstWorksheet;
    // BOUNDSHEET gives every sheet its name; a damaged file may have fewer names than sheets.
    const auto& names = globals.links.sheets;
    cells->firstWorksheetName = firstWorksheet < names.size() ? names[firstWorksheet] : "";
    cells->activeSheetName = active < names.size() ? names[active] : "";

    XlsSheetReader reader(cursor, globals, budget);
    const bool gridOnFirst = active == firstWorksheet;
    auto firstRead = reader.read(
        globals.sheets[firstWorksheet].offset,
        gridOnFirst ? KeptRegion::markerColumnAndGrid() : KeptRegion::markerColumn(), *cells);
    if (!firstRead) {
        return firstRead.failure();
    }
    if (!gridOnFirst && cells->activeSheetIsWorksheet) {
        auto activeRead = reader.read(globals.sheets[active].offset, KeptRegion::grid(), *cells);
        if (!activeRead) {
            return activeRead.failure();
        }
    }
    if (auto resolved = resolveSharedStrings(reader, cursor, globals, budget); !resolved) {
        return resolved.failure();
    }
    return std::move(*cells);
}

// Every worksheet's cells and merged ranges, for reading an export.
core::Result<std::vector<SheetContents>> allSheets(OpenedXls& opened, ReadBudget& budget) {
    const XlsGlobals& globals = opened.globals;
    BiffRecordCursor& cursor = *opened.cursor;

    // One reader for all sheets: its shared-string uses span the workbook.
    XlsSheetReader reader(cursor, globals, budget);
    std::vector<XlsSheetReader::CellMap> cells;
    std::vector<SheetContents> sheets;
    cells.reserve(globals.sheets.size());
    std::vector<SheetContents> unread; // worksheets past the count read
    std::size_t keptCells = 0;
    for (std::size_t i = 0; i < globals.sheets.size(); ++i) {
        if (globals.sheets[i].type != XlsSheet::Type::Worksheet) {
            continue;
        }
        SheetContents sheet;
        sheet.name = i < globals.links.sheets.size() ? globals.links.sheets[i] : std::string();
        sheet.date1904 = globals.date1904;
        if (sheets.size() == limits::kExportSheets) {
            sheet.read = false;
            unread.push_back(std::move(sheet));
            continue;
        }
        auto& sheetCells = cells.emplace_back();
        if (auto read = reader.readWholeSheet(globals.sheets[i].offset, sheetCells, sheet.merges);
            !read) {
            return read.failure();
        }
        keptCells += sheetCells.size();
        if (keptCells > KeptRegion::kMaxWholeSheetCells) {
            return loadFailure(core::Status::TooLarge, {},
                               "its worksheets hold more than " +
                                   std::to_string(KeptRegion::kMaxWholeSheetCells) + " cells");
        }
        sheets.push_back(std::move(sheet));
    }
    if (sheets.empty()) {
        return loadFailure(core::Status::NoWorksheet);
    }
    if (auto resolved = resolveSharedStrings(reader, cursor, globals, budget); !resolved) {
        return resolved.failure();
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        for (auto& [at, value] : cells[i]) {
            if (value.kind != CellValue::Kind::Empty) {
                sheets[i].cells.push_back({at.first + 1, at.second + 1, std::move(value)});
            }
        }
    }
    std::ranges::move(unread, std::back_inserter(sheets));
    return sheets;
}

// One read of a file: libgsf kept quiet and one budget for all it keeps, from the globals on.
template <typename T>
core::Result<T> readOpened(std::span<const std::uint8_t> bytes, ReadBudget& budget,
                           core::Result<T> (*read)(OpenedXls&, ReadBudget&)) {
    const QuietGsf quiet;
    auto opened = openXls(bytes, budget);
    if (!opened) {
        return opened.failure();
    }
    return read(opened.value(), budget);
}

} // namespace

core::Result<WorkbookCells> readXls(std::span<const std::uint8_t> bytes) {
    ReadBudget budget;
    return readOpened(bytes, budget, viewerCells);
}

core::Result<std::vector<SheetContents>> readXlsSheets(std::span<const std::uint8_t> bytes,
                                                       ReadBudget& budget) {
    return readOpened(bytes, budget, allSheets);
}

} // namespace orvanto::spreadsheet
