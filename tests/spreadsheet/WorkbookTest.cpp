#include "spreadsheet/Workbook.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace orvanto::spreadsheet;

namespace {

std::int16_t findMarker(const Workbook& book, std::string_view marker) {
    auto row = book.findMarker(marker);
    return row.ok() ? row.value() : std::int16_t{-1};
}

CellValue text(const char* value) {
    CellValue cell;
    cell.kind = CellValue::Kind::String;
    cell.text = value;
    return cell;
}

Workbook withMarkerColumn(std::initializer_list<std::pair<int, CellValue>> cells) {
    WorkbookCells data;
    for (const auto& [row, cell] : cells) {
        data.markerColumn[static_cast<std::size_t>(row - 1)] = cell;
    }
    return Workbook(data);
}

TEST(MarkerSearch, PartOfTheTextIgnoringCaseAndWidth) {
    const Workbook book = withMarkerColumn({{5, text("上午 第一节 8:00")},
                                            {9, text("第１２节")},
                                            {12, text("ABC")},
                                            {15, text("第１２節")}});
    EXPECT_EQ(findMarker(book, "第一节"), 5);
    EXPECT_EQ(findMarker(book, "第12节"), 9);
    EXPECT_EQ(findMarker(book, "abc"), 12);
    EXPECT_EQ(findMarker(book, "ｂｃ"), 12);
}

TEST(MarkerSearch, StartsAtB2AndReachesB1Last) {
    EXPECT_EQ(findMarker(withMarkerColumn({{1, text("第一节")}, {7, text("第一节")}}), "第一节"),
              7);
    EXPECT_EQ(findMarker(withMarkerColumn({{1, text("第一节")}}), "第一节"), 1);
    EXPECT_EQ(findMarker(withMarkerColumn({{200, text("第一节")}}), "第一节"), 200);
}

TEST(MarkerSearch, MissingMarkerFails) {
    const Workbook book = withMarkerColumn({{3, text("第三节")}});
    auto row = book.findMarker("第一节");
    ASSERT_FALSE(row.ok());
    EXPECT_EQ(row.failure().status, orvanto::core::Status::MarkerMissing);
    EXPECT_EQ(row.failure().subject, "第一节");
}

TEST(MarkerSearch, FormulaCellsAreSearchedByFormulaAndErrorsByTheirText) {
    CellValue formula = text("第一节");
    formula.formula = "=A1";
    CellValue error;
    error.kind = CellValue::Kind::Error;
    error.text = "#N/A";
    const Workbook book = withMarkerColumn({{3, formula}, {4, error}, {6, text("第一节")}});
    EXPECT_EQ(findMarker(book, "第一节"), 6);
    EXPECT_EQ(findMarker(book, "#n/a"), 4);
}

TEST(CellRead, ActiveSheetTextsAndLimits) {
    WorkbookCells data;
    data.grid[11][0] = text("C12");
    data.grid[201][6] = text("I202");
    const Workbook book(data);
    EXPECT_EQ(book.cellText('C', 12).value(), "C12");
    EXPECT_EQ(book.cellText('I', 202).value(), "I202");
    EXPECT_EQ(book.cellText('J', 12).value(), "");
    EXPECT_FALSE(book.cellText('C', 0).ok());
    data.activeSheetIsWorksheet = false;
    EXPECT_EQ(Workbook(data).cellText('C', 12).failure().status,
              orvanto::core::Status::ActiveSheetNotWorksheet);
}

TEST(CellRead, AnErrorValueNamesItsCellAndWhatItShows) {
    struct Case {
        char column;
        int row;
        const char* shown;
        const char* address;
    };
    // The grid's first and last column and row, and a two-digit and a three-digit row.
    for (const Case& c : {Case{'C', 1, "#DIV/0!", "C1"}, Case{'D', 8, "#DIV/0!", "D8"},
                          Case{'I', 57, "#N/A", "I57"}, Case{'E', 202, "#VALUE!", "E202"}}) {
        WorkbookCells data;
        CellValue error;
        error.kind = CellValue::Kind::Error;
        error.text = c.shown;
        data.grid[static_cast<std::size_t>(c.row - 1)][static_cast<std::size_t>(c.column - 'C')] =
            error;
        const auto read = Workbook(data).cellText(c.column, c.row);
        ASSERT_FALSE(read.ok()) << c.address;
        EXPECT_EQ(read.failure().status, orvanto::core::Status::TypeMismatch);
        EXPECT_EQ(read.failure().cell, c.address);
        EXPECT_EQ(read.failure().shownValue, c.shown);
    }
}

TEST(Open, ContentDecidesTheFormatAndFailuresSayWhy) {
    using orvanto::core::Status;
    const std::vector<std::pair<std::vector<std::uint8_t>, Status>> cases = {
        {{}, Status::Empty},
        {{'<', 'h', 't', 'm', 'l', '>'}, Status::NotAWorkbook},
        {{'P', 'K', 3, 4, 20, 0}, Status::Truncated},
        {{0xD0, 0xCF, 0x11, 0xE0, 0xA1}, Status::Truncated},
    };
    for (const auto& [bytes, status] : cases) {
        auto book = Workbook::fromBytes(bytes);
        ASSERT_FALSE(book.ok());
        EXPECT_EQ(book.failure().status, status) << book.failure().detail;
    }
    auto missing = Workbook::open("/nonexistent/timetable.xlsx");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().status, Status::FileNotFound);
    auto folder = Workbook::open(ORVANTO_TEST_DATA);
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.failure().status, Status::NotAFile);
}

// A file whose name is not ASCII opens by that name; a pipe or a device is refused at once
// instead of blocking the open or reading for ever.
TEST(Open, ByItsUtf8NameAndOnlyRegularFiles) {
    using orvanto::core::Status;
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvanto-open-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto named = folder / std::filesystem::path(u8"课表 第三周.xlsx");
    std::filesystem::copy_file(std::string(ORVANTO_TEST_DATA) +
                                   "/samples/layout-typical-xlsxwriter.xlsx",
                               named, std::filesystem::copy_options::overwrite_existing);
    const auto book = Workbook::open(named);
    EXPECT_TRUE(book.ok()) << book.failure().detail;

    const auto pipe = folder / "pipe.xlsx";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {pipe, std::filesystem::path("/dev/zero")}) {
        const auto refused = Workbook::open(path);
        ASSERT_FALSE(refused.ok()) << path;
        EXPECT_EQ(refused.failure().status, Status::CannotOpen) << path;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
