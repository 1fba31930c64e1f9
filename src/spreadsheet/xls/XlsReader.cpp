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
    return loadFailure(core::LoadStatus::UnsupportedFormat, "this Excel 2.x-4.0 workbook");
}

// The first four bytes of the signature mark a file meant as an .xls; the rest is checked
// when it is read, so a file cut inside the signature is named as truncated.
bool looksLikeXls(std::span<const std::uint8_t> bytes) {
    return startsLikeOle2(bytes) || isBareExcel2To4Stream(bytes);
}

core::Result<WorkbookCells> readXls(std::span<const std::uint8_t> bytes) {
    const QuietGsf quiet;
    if (isBareExcel2To4Stream(bytes)) {
        return excel2To4Workbook();
    }
    if (!startsLikeOle2(bytes)) {
        return loadFailure(core::LoadStatus::NotAWorkbook, {}, "not an OLE2 compound file");
    }
    auto stream = OleWorkbookStream::open(bytes);
    if (!stream) {
        return stream.failure();
    }
    BiffRecordCursor cursor(**stream);
    auto globals = readXlsGlobals(cursor);
    if (!globals) {
        return globals.failure();
    }

    std::size_t firstWorksheet = globals->sheets.size();
    for (std::size_t i = 0; i < globals->sheets.size(); ++i) {
        if (globals->sheets[i].type == XlsSheet::Type::Worksheet) {
            firstWorksheet = i;
            break;
        }
    }
    if (firstWorksheet == globals->sheets.size()) {
        return loadFailure(core::LoadStatus::NoWorksheet);
    }
    // An active index past the last sheet comes from a damaged WINDOW1; Excel then opens
    // the workbook on its first sheet.
    const std::size_t active =
        globals->activeSheet < globals->sheets.size() ? globals->activeSheet : 0;

    auto cells = std::make_unique<WorkbookCells>();
    cells->date1904 = globals->date1904;
    cells->activeSheetIsWorksheet = globals->sheets[active].type == XlsSheet::Type::Worksheet;
    cells->activeIsFirstWorksheet = active == firstWorksheet;
    // BOUNDSHEET gives every sheet its name; a damaged file may have fewer names than sheets.
    const auto& names = globals->links.sheets;
    cells->firstWorksheetName = firstWorksheet < names.size() ? names[firstWorksheet] : "";
    cells->activeSheetName = active < names.size() ? names[active] : "";

    XlsSheetReader reader(cursor, *globals, *cells);
    const bool gridOnFirst = active == firstWorksheet;
    auto firstRead = reader.read(globals->sheets[firstWorksheet].offset, true, gridOnFirst);
    if (!firstRead) {
        return firstRead.failure();
    }
    if (!gridOnFirst && cells->activeSheetIsWorksheet) {
        auto activeRead = reader.read(globals->sheets[active].offset, false, true);
        if (!activeRead) {
            return activeRead.failure();
        }
    }

    const auto& uses = reader.sharedStrings();
    if (!uses.empty()) {
        if (!globals->sstOffset) {
            return loadFailure(core::LoadStatus::MissingPart, "the shared string table",
                               "cells refer to shared strings");
        }
        std::vector<std::uint32_t> wanted;
        wanted.reserve(uses.size());
        for (const auto& [cell, index] : uses) {
            wanted.push_back(index);
        }
        auto strings = SharedStringTable::lookup(cursor, *globals->sstOffset, std::move(wanted));
        if (!strings) {
            return strings.failure();
        }
        std::size_t kept = reader.keptText();
        for (const auto& [cell, index] : uses) {
            const std::string& text = strings->at(index);
            if (text.size() > XlsSheetReader::kMaxKeptText - kept) {
                return XlsSheetReader::tooMuchText();
            }
            kept += text.size();
            cell->kind = CellValue::Kind::String;
            cell->text = text;
        }
    }
    return std::move(*cells);
}

} // namespace orvanto::spreadsheet
