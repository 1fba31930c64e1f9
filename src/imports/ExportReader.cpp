#include "imports/ExportReader.h"

#include "imports/decode/HtmlTables.h"
#include "imports/decode/WorksheetTables.h"
#include "imports/layouts/TimetableLayouts.h"
#include "platform/MappedFile.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/Workbook.h"

#include <vector>

namespace orvanto::imports {

namespace {

core::Failure tooLarge() {
    return spreadsheet::loadFailure(core::Status::TooLarge, "the export",
                                    "larger than " + std::to_string(kMaxExportBytes >> 20) +
                                        " MiB, which no timetable export is");
}

// The tables of the export, and the names of worksheets past the count read.
struct ExportTables {
    std::vector<SourceTable> tables;
    std::vector<std::string> unreadSheets;
};

core::Result<ExportTables> tablesOf(std::span<const std::uint8_t> bytes,
                                    spreadsheet::ReadBudget& budget) {
    if (looksLikeHtml(bytes)) {
        auto tables = readHtmlTables(bytes, budget);
        if (!tables) {
            return tables.failure();
        }
        return ExportTables{std::move(tables).value(), {}};
    }
    auto sheets = spreadsheet::Workbook::readWorksheets(bytes, budget);
    if (!sheets) {
        const auto& failure = sheets.failure();
        if (failure.status == core::Status::NotAWorkbook) {
            return spreadsheet::loadFailure(core::Status::NotAWorkbook, {},
                                            "neither .xls, .xlsx nor an HTML page");
        }
        return failure;
    }
    ExportTables found;
    found.tables.reserve(sheets->size());
    for (auto& sheet : sheets.value()) {
        if (!sheet.read) {
            found.unreadSheets.push_back(std::move(sheet.name));
            continue;
        }
        auto table = worksheetTable(sheet, budget);
        if (!table) {
            return table.failure();
        }
        found.tables.push_back(std::move(table).value());
        sheet = {}; // its cells live on in the table
    }
    return found;
}

} // namespace

core::Result<ImportResult> readExport(std::span<const std::uint8_t> bytes,
                                      const ReadingChoice& choice) {
    if (bytes.empty()) {
        return spreadsheet::loadFailure(core::Status::Empty);
    }
    if (bytes.size() > kMaxExportBytes) {
        return tooLarge();
    }
    // One budget for all the import keeps: every sheet's cells and lookup grid, the classes.
    spreadsheet::ReadBudget budget;
    auto found = tablesOf(bytes, budget);
    if (!found) {
        return found.failure();
    }
    auto result = readTimetables(found->tables, budget, choice);
    if (result) {
        result->unreadSheets = std::move(found->unreadSheets);
    }
    return result;
}

core::Result<ImportResult> readExportFile(const std::filesystem::path& path,
                                          const ReadingChoice& choice) {
    auto file = platform::MappedFile::open(path, kMaxExportBytes);
    if (!file) {
        const core::Failure& failure = file.failure();
        if (failure.status == core::Status::TooLarge) {
            return tooLarge();
        }
        return spreadsheet::loadFailure(failure.status, {}, failure.detail);
    }
    return readExport(file->bytes(), choice);
}

std::filesystem::path defaultWorkbookPath(const std::filesystem::path& exportPath) {
    std::filesystem::path out = exportPath;
    out.replace_extension();
    out += ".orvanto.xlsx";
    return out;
}

} // namespace orvanto::imports
