// What the xlsx reader gives for workbooks saved by real writers.
#include "spreadsheet/xlsx/XlsxReader.h"

#include "TestFiles.h"
#include "spreadsheet/Workbook.h"

#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {
namespace {

using Kind = CellValue::Kind;

CellValue text(std::string value, std::string formula = {}) {
    CellValue cell;
    cell.kind = Kind::String;
    cell.text = std::move(value);
    cell.formula = std::move(formula);
    return cell;
}

CellValue number(double value, FormatKind format = FormatKind::General, std::string formula = {}) {
    CellValue cell;
    cell.kind = Kind::Number;
    cell.number = value;
    cell.format = format;
    cell.formula = std::move(formula);
    return cell;
}

CellValue boolean(bool value, std::string formula = {}) {
    CellValue cell;
    cell.kind = Kind::Boolean;
    cell.boolean = value;
    cell.formula = std::move(formula);
    return cell;
}

CellValue error(std::string code, std::string formula = {}) {
    CellValue cell;
    cell.kind = Kind::Error;
    cell.text = std::move(code);
    cell.formula = std::move(formula);
    return cell;
}

struct Expected {
    std::string address; // "B3" reads the marker column, "C3".."I202" the grid
    CellValue value;
};

struct Sample {
    std::string file;
    std::vector<Expected> cells;
    // How many cells of each kind are not empty: catches cells read from the
    // wrong sheet or past the kept rows.
    int markerCells = -1;
    int gridCells = -1;
    bool activeSheetIsWorksheet = true;
    bool date1904 = false;
};

std::ostream& operator<<(std::ostream& out, const Sample& sample) {
    return out << sample.file;
}

const CellValue& cellAt(const WorkbookCells& cells, const std::string& address) {
    const int row = std::stoi(address.substr(1));
    if (address[0] == 'B') {
        return cells.markerColumn.at(static_cast<std::size_t>(row - 1));
    }
    return cells.grid.at(static_cast<std::size_t>(row - 1))
        .at(static_cast<std::size_t>(address[0] - WorkbookCells::kFirstGridColumn));
}

int nonEmpty(const auto& values) {
    int count = 0;
    for (const CellValue& value : values) {
        count += value.kind != Kind::Empty || !value.formula.empty() ? 1 : 0;
    }
    return count;
}

// The typical timetable, as every writer must give it back.
const std::vector<Expected> kTypical = {
    {"B1", text("时间")},           {"B3", text("第一节")},         {"B13", text("第三节")},
    {"B23", text("第五节")},        {"B33", text("第七节")},        {"B43", text("第九节")},
    {"B53", text("第12节")},        {"C1", text("星期一")},         {"I1", text("星期日")},
    {"C3", text("高等数学A(2)")},   {"C4", text("{第1-16周}")},     {"C5", text("张明 教授")},
    {"C6", text("教3-201")},        {"D4", text("{第1-15周}单周")}, {"D8", text("大学物理实验")},
    {"D9", text("{第2-16周}双周")}, {"E4", text("{第10-12周}")},    {"C18", text("数据结构")},
    {"D36", number(3205)},          {"H46", text("图书馆一楼")},
};

std::vector<Expected> typicalWith(std::vector<Expected> extra) {
    std::vector<Expected> all = kTypical;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

// Cached results of formulas of every kind, with an error in a line row.
const std::vector<Expected> kFormulaResults = {{"H3", number(3, FormatKind::General, "=1+2")},
                                               {"H4", text("课表", "=\"课\"&\"表\"")},
                                               {"H5", boolean(true, "=1>0")},
                                               {"H6", error("#DIV/0!", "=1/0")},
                                               {"H7", text("", "=\"\"")},
                                               {"F33", error("#N/A", "=NA()")},
                                               {"B63", text("第九节", "=\"第\"&\"九节\"")}};

const Sample kSamples[] = {
    {"layout-typical-xlsxwriter.xlsx", kTypical, 7, 51},
    {"layout-typical-openpyxl.xlsx", kTypical, 7, 51},
    {"layout-typical-libreoffice.xlsx", kTypical, 7, 51},
    {"layout-typical-gnumeric.xlsx", kTypical, 7, 51},
    {"xlsx-strict.xlsx", kTypical, 7, 51},
    // Markers from the first sheet, every text from the sheet active at save time.
    {"layout-second-sheet-active.xlsx",
     {{"B3", text("第一节")},
      {"B53", text("第12节")},
      {"C1", text("备注")},
      {"C3", text("第二张表的C3")},
      {"I5", text("第二张表的I5")},
      {"E202", text("第二张表的E202")}},
     7,
     4},
    {"layout-number-formats.xlsx",
     typicalWith({{"H4", number(40256, FormatKind::Date)},
                  {"H5", number(8.5 / 24, FormatKind::Date)},
                  {"H6", number(40238 + (14 * 3600 + 5 * 60 + 30) / 86400.0, FormatKind::Date)},
                  {"H7", number(1234.5678, FormatKind::Currency)},
                  {"H8", number(0.256)},
                  {"H9", number(12345678901)},
                  {"H10", number(2.5)},
                  {"H11", number(0.1)},
                  {"H12", number(1e-20)},
                  {"I4", boolean(true)},
                  {"I5", boolean(false)},
                  {"I6", number(0)}}),
     7, 51 + 12},
    {"layout-date1904.xlsx", typicalWith({{"H4", number(40256 - 1462, FormatKind::Date)}}), 7, 52,
     true, true},
    {"layout-formulas-gnumeric.xlsx", typicalWith(kFormulaResults), 8, 57},
    {"layout-formulas-libreoffice.xlsx", typicalWith(kFormulaResults), 8, 57},
    {"layout-marker-b1.xlsx", {{"B1", text("第一节")}, {"B13", text("第三节")}}, 6, 47},
    // B201 is beyond the marker search and not kept.
    {"layout-marker-below-200.xlsx", {{"B43", text("第九节")}}, 6, 51},
    {"layout-marker-variants.xlsx",
     {{"B3", text("第一节 AM")}, {"B23", text("第五节 pm")}, {"B53", text("第１２节")}},
     7,
     51},
    {"xlsx-chartsheet-first.xlsx", {{"B3", text("第一节")}, {"B53", text("第12节")}}, 7, 0, false},
    {"xlsx-inline-rich-escapes.xlsx",
     {{"B3", text("第一节")},
      {"C3", text("高等数学A(2)")},
      {"D3", text("第一行\r\n第二行")},
      {"E3", text("a_x0041_b")},
      {"F3", text("tab\tand\x01"
                  "ctl")}},
     1,
     4},
    {"xlsx-shared-rich-escapes.xlsx",
     {{"C3", text("高等数学A(2)")},
      {"D3", text("第一行\r\n第二行")},
      {"E3", text("a_x0041_b")},
      {"F3", text("tab\tand\x01"
                  "ctl")}},
     1,
     4},
    {"xlsx-phonetic.xlsx", {{"C3", text("高等数学")}, {"D3", number(42)}}, 1, 6},
    // D3 follows C3; row 4 follows row 3 and its third cell is C4; E5 lost its
    // reference and so follows C5.
    {"xlsx-no-cell-refs.xlsx",
     {{"D3", number(42)}, {"C4", text("{第1-16周}")}, {"D5", text("E5")}, {"G6", text("G6")}},
     1,
     6},
    // Workbook order, not part names: the first sheet is the part named sheet2.xml.
    {"xlsx-absolute-targets.xlsx", {{"B3", text("第三节")}, {"C3", text("乙表")}}, 1, 1},
    // The follower of a shared formula takes the first cell's text moved down a row.
    {"xlsx-shared-formula.xlsx",
     {{"D3", number(42, FormatKind::General, "=A1*42")},
      {"D4", number(0, FormatKind::General, "=A2*42")}},
     1,
     7},
    {"xlsx-iso-dates.xlsx",
     {{"C3", number(40256, FormatKind::Date)},
      {"C4", number(40256 + (13 * 3600 + 45 * 60 + 30) / 86400.0, FormatKind::Date)},
      {"C5", number(59, FormatKind::Date)}},
     1,
     3},
};

class XlsxSampleTest : public ::testing::TestWithParam<Sample> {};

TEST_P(XlsxSampleTest, GivesTheCellsItsWriterSaved) {
    const Sample& sample = GetParam();
    const auto bytes = testing::testDataBytes("samples/" + sample.file);
    ASSERT_FALSE(bytes.empty()) << sample.file;
    const auto result = readXlsx(bytes);
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    const WorkbookCells& cells = *result;

    EXPECT_EQ(cells.activeSheetIsWorksheet, sample.activeSheetIsWorksheet);
    EXPECT_EQ(cells.date1904, sample.date1904);
    for (const auto& [address, expected] : sample.cells) {
        SCOPED_TRACE(address);
        const CellValue& actual = cellAt(cells, address);
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ(actual.text, expected.text);
        EXPECT_NEAR(actual.number, expected.number,
                    1e-9 * std::max(1.0, std::fabs(expected.number)));
        EXPECT_EQ(actual.boolean, expected.boolean);
        EXPECT_EQ(actual.format, expected.format);
        EXPECT_EQ(actual.formula, expected.formula);
    }
    if (sample.markerCells >= 0) {
        EXPECT_EQ(nonEmpty(cells.markerColumn), sample.markerCells);
    }
    if (sample.gridCells >= 0) {
        int count = 0;
        for (const auto& row : cells.grid) {
            count += nonEmpty(row);
        }
        EXPECT_EQ(count, sample.gridCells);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, XlsxSampleTest, ::testing::ValuesIn(kSamples),
                         [](const auto& param) {
                             std::string name =
                                 param.param.file.substr(0, param.param.file.find('.'));
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST(XlsxReaderTest, KeepsAStringOfExcelsLongestLength) {
    const auto result = readXlsx(testing::testDataBytes("samples/xlsx-long-string.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    const std::string& longest = result->grid[2][0].text;
    EXPECT_EQ(longest.size(), 32767u / 2 * 6 + 3); // 32767 characters of three bytes
    EXPECT_EQ(longest.substr(0, 6), "课表");
}

// The bundled example is what a new user sees first: it must read as a timetable.
TEST(XlsxReaderTest, ReadsTheBundledExample) {
    const auto result = readXlsx(testing::testDataBytes("../../examples/timetable.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    const int markerRows[] = {3, 13, 23, 33, 43, 53};
    const char* markers[] = {"第一节", "第三节", "第五节", "第七节", "第九节", "第12节"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(result->markerColumn[static_cast<std::size_t>(markerRows[i] - 1)].text,
                  markers[i]);
    }
    for (const CellValue& blank : result->grid[1]) {
        EXPECT_EQ(blank.kind, CellValue::Kind::Empty);
    }
    EXPECT_EQ(result->grid[2][0].text, "高等数学A(2)");
    EXPECT_EQ(result->grid[3][0].text, "{第1-16周}");
}

// Hand-made parts: shared formulas whose first cell is not kept, array formulas whose other
// cells carry no formula, and formulas that cannot be spelled out (no text, never the value).
TEST(XlsxReaderTest, SharedArrayAndUnreadableFormulas) {
    const auto result = readXlsx(testing::testDataBytes("samples/xlsx-formula-groups.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    const auto& b = result->markerColumn;
    const auto& grid = result->grid;
    struct FormulaText {
        const CellValue& cell;
        std::string formula;
        bool unknown;
    };
    const FormulaText expected[] = {
        {b[1], "=B1&\"x\"", false},
        {grid[1][0], "=C1&\"x\"", false},
        {b[2], "=B2&\"x\"", false},
        {b[4], "=IFERROR(A1:A2,\"第九节\")", false},
        {grid[4][0], "=IFERROR(A1:A2,\"第九节\")", false},
        {b[5], "=IFERROR(A1:A2,\"第九节\")", false},
        {grid[5][0], "=IFERROR(A1:A2,\"第九节\")", false},
        {b[6], "", true},
        {b[7], "", true},
        {b[8], "=SUM('设置:my sheet'!A1)", false},
        {b[9], "=$A$1+A10", false},
        {b[11], "=$A$1+A12", false},
    };
    for (const FormulaText& e : expected) {
        EXPECT_EQ(e.cell.formula, e.formula);
        EXPECT_EQ(e.cell.formulaUnknown, e.unknown) << e.formula;
    }
    EXPECT_EQ(b[6].text, "第三节"); // the value is kept, but the search does not see it
    auto book = Workbook::fromBytes(testing::testDataBytes("samples/xlsx-formula-groups.xlsx"));
    ASSERT_TRUE(book.ok());
    EXPECT_FALSE(book->findMarker("第三节").ok());
    EXPECT_EQ(book->findMarker("第九节").value(), 5);
}

} // namespace
} // namespace orvanto::spreadsheet
