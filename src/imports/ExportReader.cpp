#include "imports/ExportReader.h"

#include "imports/decode/HtmlTables.h"
#include "imports/decode/WorksheetTables.h"
#include "imports/layouts/TimetableLayouts.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/Workbook.h"

#include <fstream>
#include <vector>

namespace orvanto::imports {

namespace {

core::Failure tooLarge() {
    return spreadsheet::loadFailure(core::Status::TooLarge, "the export",
                                    "larger than " + std::to_string(kMaxExportBytes >> 20) +
                                        " MiB, which no timetable export is");
}

core::Result<std::vector<SourceTable>> tablesOf(std::span<const std::uint8_t> bytes) {
    if (looksLikeHtml(bytes)) {
        return readHtmlTables(bytes);
    }
    auto sheets = spreadsheet::Workbook::readWorksheets(bytes);
    if (!sheets) {
        const auto& failure = sheets.failure();
        if (failure.status == core::Status::NotAWorkbook) {
            return spreadsheet::loadFailure(core::Status::NotAWorkbook, {},
                                            "neither .xls, .xlsx nor an HTML page");
        }
        return failure;
    }
    std::vector<SourceTable> tables;
    tables.reserve(sheets->size());
    for (const auto& sheet : *sheets) {
        tables.push_back(worksheetTable(sheet));
    }
    return tables;
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
    auto tables = tablesOf(bytes);
    if (!tables) {
        return tables.failure();
    }
    return readTimetables(*tables, choice);
}

core::Result<ImportResult> readExportFile(const std::filesystem::path& path,
                                          const ReadingChoice& choice) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return spreadsheet::loadFailure(core::Status::FileNotFound);
    }
    if (std::filesystem::is_directory(status)) {
        return spreadsheet::loadFailure(core::Status::NotAFile);
    }
    if (std::filesystem::is_regular_file(status) &&
        std::filesystem::file_size(path, error) > kMaxExportBytes) {
        return tooLarge();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return spreadsheet::loadFailure(core::Status::CannotOpen);
    }
    // Read at most one byte past the limit: a huge file (or a device) is refused without
    // being held in memory.
    std::vector<std::uint8_t> bytes;
    std::vector<char> chunk(64 * 1024);
    while (bytes.size() <= kMaxExportBytes &&
           file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())).gcount() > 0) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + file.gcount());
    }
    if (file.bad()) {
        return spreadsheet::loadFailure(core::Status::CannotOpen, {}, "its bytes cannot be read");
    }
    return readExport(bytes, choice);
}

std::filesystem::path defaultWorkbookPath(const std::filesystem::path& exportPath) {
    std::filesystem::path out = exportPath;
    out.replace_extension();
    out += ".orvanto.xlsx";
    return out;
}

} // namespace orvanto::imports
