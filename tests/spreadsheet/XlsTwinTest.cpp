// Every .xls sample gives the same cells as the .xlsx it was saved from: the two readers agree
// on values, formats, the active sheet and the date system (formula text aside, where the
// writers spell formulas differently or turn constants into formulas).
#include "spreadsheet/Workbook.h"
#include "spreadsheet/xls/XlsReader.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Twin {
    fs::path xls;
    fs::path xlsx;
};

// <stem>-lo.xls, <stem>-gnumeric.xls and <stem>-gnumeric-biff5.xls were saved from <stem>.xlsx.
std::vector<Twin> twins() {
    static const std::regex name("(.+)-(lo|gnumeric|gnumeric-biff5)\\.xls");
    std::vector<Twin> found;
    const fs::path dir = fs::path(ORVANTO_TEST_DATA) / "samples";
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::smatch match;
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, match, name)) {
            const fs::path xlsx = dir / (match[1].str() + ".xlsx");
            if (fs::exists(xlsx)) {
                found.push_back({entry.path(), xlsx});
            }
        }
    }
    std::ranges::sort(found, {}, [](const Twin& t) { return t.xls; });
    return found;
}

bool emptyText(const CellValue& v) {
    return v.kind == CellValue::Kind::Empty ||
           (v.kind == CellValue::Kind::String && v.text.empty());
}

std::string differences(const CellValue& a, const CellValue& b) {
    std::string out;
    // A formula whose result is empty text: the xls reader keeps it as text, the xlsx
    // reader as an empty cell; both read as empty text.
    if (a.kind != b.kind && !(emptyText(a) && emptyText(b))) {
        out += " kind " + std::to_string(static_cast<int>(a.kind)) + " vs " +
               std::to_string(static_cast<int>(b.kind));
    }
    if (a.text != b.text) {
        out += " text \"" + a.text + "\" vs \"" + b.text + "\"";
    }
    if (a.number != b.number && std::fabs(a.number - b.number) > 1e-12 * std::fabs(b.number)) {
        out += " number " + std::to_string(a.number) + " vs " + std::to_string(b.number);
    }
    if (a.boolean != b.boolean) {
        out += " boolean";
    }
    if (a.format != b.format) {
        out += " format " + std::to_string(static_cast<int>(a.format)) + " vs " +
               std::to_string(static_cast<int>(b.format));
    }
    return out;
}

TEST(XlsTwin, EveryXlsSampleHasItsTwin) {
    // The layout samples and the xls-specific ones at the least, from both writers.
    EXPECT_GE(twins().size(), 40u);
}

TEST(XlsTwin, XlsGivesTheCellsOfItsXlsxTwin) {
    for (const Twin& twin : twins()) {
        SCOPED_TRACE(twin.xls.filename().string());
        auto xls = readXls(readFile(twin.xls));
        auto xlsx = readXlsx(readFile(twin.xlsx));
        ASSERT_TRUE(xls.ok()) << xls.failure().detail;
        ASSERT_TRUE(xlsx.ok()) << xlsx.failure().detail;
        EXPECT_EQ(xls->activeSheetIsWorksheet, xlsx->activeSheetIsWorksheet);
        EXPECT_EQ(xls->date1904, xlsx->date1904);
        for (int row = 0; row < WorkbookCells::kMarkerRows; ++row) {
            const std::string diff = differences(xls->markerColumn[row], xlsx->markerColumn[row]);
            EXPECT_TRUE(diff.empty()) << "B" << row + 1 << ":" << diff;
        }
        for (int row = 0; row < WorkbookCells::kGridRows; ++row) {
            for (int column = 0; column < WorkbookCells::kGridColumns; ++column) {
                const std::string diff =
                    differences(xls->grid[row][column], xlsx->grid[row][column]);
                EXPECT_TRUE(diff.empty())
                    << static_cast<char>('C' + column) << row + 1 << ":" << diff;
            }
        }
    }
}

TEST(XlsTwin, MarkerSearchFindsTheSameRows) {
    // The search matches formula text where a cell has a formula, so this covers what the
    // cell comparison leaves out.
    const std::vector<std::string> markers = {"第一节", "第三节", "第五节", "第七节", "第九节",
                                              "第12节", "m1",     "m2",     "M5"};
    for (const Twin& twin : twins()) {
        SCOPED_TRACE(twin.xls.filename().string());
        auto xls = Workbook::fromBytes(readFile(twin.xls));
        auto xlsx = Workbook::fromBytes(readFile(twin.xlsx));
        ASSERT_TRUE(xls.ok() && xlsx.ok());
        for (const std::string& marker : markers) {
            auto a = xls->findMarker(marker);
            auto b = xlsx->findMarker(marker);
            ASSERT_EQ(a.ok(), b.ok()) << marker;
            if (a.ok()) {
                EXPECT_EQ(*a, *b) << marker;
            }
        }
    }
}

// Formula markers saved by LibreOffice and Gnumeric (functions, names, other sheets, filled
// down, arrays): both formats give each formula in column B the same text, and the markers the
// rows Excel's Find gives, looking at formulas, not at values.
TEST(XlsTwin, FormulaMarkersGiveTheSameTextAndRows) {
    const std::vector<std::pair<std::string, std::int16_t>> markers = {
        {"第一节", 3},  {"第三节", 13}, {"第五节", 23},
        {"第七节", 28}, {"第九节", 43}, {"第12节", 53}};
    int compared = 0;
    for (const Twin& twin : twins()) {
        if (!twin.xlsx.filename().string().starts_with("layout-formula-markers")) {
            continue;
        }
        ++compared;
        SCOPED_TRACE(twin.xls.filename().string());
        auto xls = readXls(readFile(twin.xls));
        auto xlsx = readXlsx(readFile(twin.xlsx));
        ASSERT_TRUE(xls.ok() && xlsx.ok());
        for (int row = 0; row < WorkbookCells::kMarkerRows; ++row) {
            const CellValue& a = xls->markerColumn[row];
            const CellValue& b = xlsx->markerColumn[row];
            EXPECT_EQ(a.formula, b.formula) << "B" << row + 1;
            EXPECT_EQ(a.formulaUnknown, b.formulaUnknown) << "B" << row + 1;
        }
        auto xlsBook = Workbook::fromBytes(readFile(twin.xls));
        auto xlsxBook = Workbook::fromBytes(readFile(twin.xlsx));
        ASSERT_TRUE(xlsBook.ok() && xlsxBook.ok());
        for (const auto& [marker, row] : markers) {
            auto a = xlsBook->findMarker(marker);
            auto b = xlsxBook->findMarker(marker);
            ASSERT_TRUE(a.ok() && b.ok()) << marker;
            EXPECT_EQ(*a, row) << marker;
            EXPECT_EQ(*b, row) << marker;
        }
    }
    EXPECT_EQ(compared, 6); // two writers' .xlsx, each saved as .xls by three writers
}

} // namespace
} // namespace orvanto::spreadsheet
