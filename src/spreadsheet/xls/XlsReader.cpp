#include "XlsReader.h"

#include "BiffRecordCursor.h"
#include "OleWorkbookStream.h"
#include "SharedStringTable.h"
#include "XlsGlobals.h"
#include "XlsSheetReader.h"

#include <memory>
#include <vector>

namespace orvanto::spreadsheet {

core::Result<WorkbookCells> readXls(std::span<const std::uint8_t> bytes) {
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
        return core::errors::loadFailure("workbook has no worksheet");
    }
    // An active index past the last sheet comes from a damaged WINDOW1; Excel then opens
    // the workbook on its first sheet.
    const std::size_t active =
        globals->activeSheet < globals->sheets.size() ? globals->activeSheet : 0;

    auto cells = std::make_unique<WorkbookCells>();
    cells->date1904 = globals->date1904;
    cells->activeSheetIsWorksheet = globals->sheets[active].type == XlsSheet::Type::Worksheet;

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
            return core::errors::loadFailure("cell refers to a shared string but the workbook has "
                                             "no shared string table");
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
