// readXls on real writers' files and on crafted streams that pin down each record kind.
#include "spreadsheet/xls/XlsReader.h"

#include "XlsFileBuilder.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {
namespace {

using namespace testing;
using Kind = CellValue::Kind;

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string sample(const std::string& name) {
    return std::string(ORVANTO_TEST_DATA) + "/samples/" + name;
}

CellValue str(std::string text, std::string formula = {}) {
    CellValue v;
    v.kind = Kind::String;
    v.text = std::move(text);
    v.formula = std::move(formula);
    return v;
}
CellValue num(double n, FormatKind format = FormatKind::General) {
    CellValue v;
    v.kind = Kind::Number;
    v.number = n;
    v.format = format;
    return v;
}
CellValue boolean(bool b) {
    CellValue v;
    v.kind = Kind::Boolean;
    v.boolean = b;
    return v;
}
CellValue error(std::string text) {
    CellValue v;
    v.kind = Kind::Error;
    v.text = std::move(text);
    return v;
}

// The kept cell at an A1 address, or nullptr outside B1:B200 and C1:I202.
const CellValue* cellAt(const WorkbookCells& cells, std::string_view address) {
    const char column = address[0];
    const int row = std::stoi(std::string(address.substr(1)));
    if (column == 'B' && row >= 1 && row <= WorkbookCells::kMarkerRows) {
        return &cells.markerColumn[row - 1];
    }
    if (column >= 'C' && column <= 'I' && row >= 1 && row <= WorkbookCells::kGridRows) {
        return &cells.grid[row - 1][column - 'C'];
    }
    return nullptr;
}

bool sameValue(const CellValue& actual, const CellValue& expected) {
    const bool numberClose =
        actual.number == expected.number ||
        std::fabs(actual.number - expected.number) <= 1e-12 * std::fabs(expected.number);
    return actual.kind == expected.kind && actual.text == expected.text && numberClose &&
           actual.boolean == expected.boolean && actual.format == expected.format;
}

std::string describe(const CellValue& v) {
    return "kind " + std::to_string(static_cast<int>(v.kind)) + " text \"" + v.text + "\" number " +
           std::to_string(v.number) + " boolean " + std::to_string(v.boolean) + " format " +
           std::to_string(static_cast<int>(v.format)) + " formula \"" + v.formula + "\"";
}

using Expected = std::vector<std::pair<std::string, CellValue>>;

// Every kept cell must be as expected (formula text only where an expectation gives one) and
// every other kept cell empty.
void expectCells(const WorkbookCells& cells, const Expected& expected) {
    WorkbookCells want;
    for (const auto& [address, value] : expected) {
        const CellValue* slot = cellAt(want, address);
        ASSERT_NE(slot, nullptr) << address;
        *const_cast<CellValue*>(slot) = value;
    }
    auto check = [&](const CellValue& actual, const CellValue& wanted, const std::string& name) {
        EXPECT_TRUE(sameValue(actual, wanted))
            << name << ": got " << describe(actual) << ", want " << describe(wanted);
        if (!wanted.formula.empty()) {
            EXPECT_EQ(actual.formula, wanted.formula) << name;
        }
    };
    for (int row = 1; row <= WorkbookCells::kMarkerRows; ++row) {
        check(cells.markerColumn[row - 1], want.markerColumn[row - 1], "B" + std::to_string(row));
    }
    for (int row = 1; row <= WorkbookCells::kGridRows; ++row) {
        for (int c = 0; c < WorkbookCells::kGridColumns; ++c) {
            check(cells.grid[row - 1][c], want.grid[row - 1][c],
                  std::string(1, static_cast<char>('C' + c)) + std::to_string(row));
        }
    }
}

const std::string kLongAscii = [] {
    std::string s;
    for (int i = 0; i < 9000; ++i) {
        s += static_cast<char>('a' + i % 26);
    }
    return s;
}();
const std::string kLongChinese = [] {
    std::string s;
    for (int i = 0; i < 2600; ++i) {
        s += "课表";
    }
    return s + "完";
}();

const Expected kCells = {
    {"B1", str("m1")},
    {"B2", str("第一大节")},
    {"B3", num(42)},
    {"B4", str("m2", "=\"m\"&\"2\"")},
    {"B150", str("m5")},
    {"B200", str("last marker row")},
    {"C1", str("星期一")},
    {"D1", str("星期二")},
    {"E1", str("星期三")},
    {"F1", str("星期四")},
    {"G1", str("星期五")},
    {"H1", str("星期六")},
    {"I1", str("星期天")},
    {"C2", num(3.14159)},
    {"D2", num(-0.5)},
    {"E2", num(123456789012345)},
    {"F2", num(1e-10)},
    {"G2", num(7)},
    {"H2", num(0.01)},
    {"I2", num(1234.5678, FormatKind::Currency)},
    {"C3", num(40256, FormatKind::Date)},
    {"D3", num(40256 + 8.5 / 24, FormatKind::Date)},
    {"E3", num(0.5, FormatKind::Date)},
    {"F3", num(-123456)},
    {"G3", num(1e15)},
    {"H3", num(2.5e-12)},
    {"I3", num(536870912)},
    {"C4", boolean(true)},
    {"D4", boolean(false)},
    {"E4", error("#DIV/0!")},
    {"F4", error("#N/A")},
    {"G4", num(6.28318)},
    {"H4", str("星期一!", "=C1&\"!\"")},
    {"I4", boolean(true)},
    {"C5", str("", "=\"\"")},
    {"D5", str("yes", "=IF(C4,\"yes\",\"no\")")},
    {"E5", num(2.64159)},
    {"F5", num(3)},
    {"G5", num(3.14)},
    {"H5", str("ab", "=CONCATENATE(\"a\",\"b\")")},
    {"I5", error("#VALUE!")},
    {"C6", str("Rich text")},
    {"D6", str("say \"hi\"")},
    {"E6", str("line1\nline2")},
    {"F6", str("{第1-16周}")},
    {"G6", str("1-2节{第1-15周}单周")},
    {"H150", str("far down")},
    {"I202", str("last grid row")},
};

const Expected kLongString = {
    {"B2", str("m1")},
    {"C1", str(kLongAscii)},
    {"C2", str(kLongChinese)},
    {"C3", str("after the long strings")},
    {"D3", str(kLongAscii.substr(0, 255))},
};

// Markers from the first sheet, the grid from the second (active when saved).
const Expected kActiveSecond = {
    {"B1", str("m1")},
    {"B7", str("m2")},
    {"C1", str("second sheet")},
    {"I202", num(202)},
};

const Expected kDate1904 = {
    {"B1", str("m1")},
    {"C1", num(38776, FormatKind::Date)}, // 2010-03-01 counted from 1904
    {"D1", num(1)},
};

const Expected kChartEmbedded = [] {
    Expected e = {{"B1", str("m1")}, {"B40", str("m2")}, {"C40", str("below the chart")}};
    for (int row = 2; row <= 11; ++row) {
        e.push_back({"C" + std::to_string(row), num(row - 1)});
        e.push_back({"D" + std::to_string(row), num((row - 1) * (row - 1))});
    }
    return e;
}();

struct SampleCase {
    std::string stem;
    const Expected* cells;
    bool date1904;
    bool biff5;
};

class XlsSample : public ::testing::TestWithParam<std::tuple<SampleCase, std::string>> {};

TEST_P(XlsSample, GivesTheCellsTheWriterSaved) {
    const auto& [c, writer] = GetParam();
    if (c.biff5 == false && writer == "gnumeric-biff5") {
        GTEST_SKIP() << "no BIFF5 twin";
    }
    auto result = readXls(readFile(sample(c.stem + "-" + writer + ".xls")));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    EXPECT_EQ(result->date1904, c.date1904);
    EXPECT_TRUE(result->activeSheetIsWorksheet);
    expectCells(*result, *c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, XlsSample,
    ::testing::Combine(::testing::Values(SampleCase{"cells", &kCells, false, true},
                                         SampleCase{"long-string", &kLongString, false, false},
                                         SampleCase{"active-second", &kActiveSecond, false, true},
                                         SampleCase{"date1904", &kDate1904, true, true},
                                         SampleCase{"chart-embedded", &kChartEmbedded, false,
                                                    true}),
                       ::testing::Values("lo", "gnumeric", "gnumeric-biff5")),
    [](const auto& p) {
        std::string name = std::get<0>(p.param).stem + "_" + std::get<1>(p.param);
        for (char& ch : name) {
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        }
        return name;
    });

TEST(XlsSample, Biff5TextIsDecodedByItsCodePage) {
    // Gnumeric wrote this one as BIFF5 in code page 936 (GBK): the Chinese must survive.
    const Bytes bytes = readFile(sample("cells-gnumeric-biff5.xls"));
    const Bytes gbkOfMonday = {0xD0, 0xC7, 0xC6, 0xDA, 0xD2, 0xBB}; // 星期一 in GBK
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), gbkOfMonday.begin(), gbkOfMonday.end()),
              bytes.end());
    auto result = readXls(bytes);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->grid[0][0].text, "星期一");
}

// --- crafted streams -------------------------------------------------------------------

WorkbookCells readCrafted(const Bytes& globals, const std::vector<SheetContent>& sheets,
                          bool biff8 = true) {
    auto result =
        readXls(xlsFile(workbookStream(globals, sheets, biff8), biff8 ? u"Workbook" : u"Book"));
    EXPECT_TRUE(result.ok()) << result.failure().detail;
    return result.ok() ? *result : WorkbookCells{};
}

Bytes window1(unsigned activeTab) {
    return record(0x003D, Payload()
                              .u16(0)
                              .u16(0)
                              .u16(0x4000)
                              .u16(0x2000)
                              .u16(0x38)
                              .u16(activeTab)
                              .u16(0)
                              .u16(1)
                              .u16(0x258)
                              .take());
}

Bytes sst(const std::vector<Bytes>& pieces) {
    // pieces[0] is the SST payload after the counts; every further piece is a CONTINUE.
    Bytes out = record(0x00FC, Payload().u32(99).u32(99).bytes(pieces[0]).take());
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        out = out + record(0x003C, pieces[i]);
    }
    return out;
}

struct RkCase {
    std::uint32_t rk;
    double value;
};

class XlsRk : public ::testing::TestWithParam<RkCase> {};

TEST_P(XlsRk, DecodesEachEncoding) {
    const auto& c = GetParam();
    auto cells = readCrafted({}, {{0, rkRecord(0, 2, c.rk)}});
    EXPECT_EQ(cells.grid[0][0].kind, Kind::Number);
    EXPECT_DOUBLE_EQ(cells.grid[0][0].number, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, XlsRk,
    ::testing::Values(RkCase{0x3FF00000, 1.0},                            // IEEE high bits
                      RkCase{0x3FF00001, 0.01},                           // IEEE, divided by 100
                      RkCase{(123u << 2) | 2, 123},                       // integer
                      RkCase{(12345u << 2) | 3, 123.45},                  // integer, divided by 100
                      RkCase{static_cast<std::uint32_t>(-5 * 4) | 2, -5}, // negative integer
                      RkCase{0xC0240000, -10.0}));

TEST(XlsCells, MulRkFillsConsecutiveColumnsAndClipsToTheGrid) {
    Payload mulrk;
    mulrk.u16(3).u16(7); // row 4, from column H
    for (unsigned i = 0; i < 4; ++i) {
        mulrk.u16(0).u32(((i + 1) << 2) | 2);
    }
    mulrk.u16(10);
    auto cells = readCrafted({}, {{0, record(0x00BD, mulrk.take())}});
    EXPECT_DOUBLE_EQ(cells.grid[3][5].number, 1); // H4
    EXPECT_DOUBLE_EQ(cells.grid[3][6].number, 2); // I4; J4 and K4 are not kept
}

TEST(XlsCells, MulRkNearTheLastColumnDoesNotWrapIntoColumnsAB) {
    Payload mulrk;
    mulrk.u16(0).u16(0xFFFE); // row 1, from column 65535: the third value would wrap to A1
    for (unsigned i = 0; i < 4; ++i) {
        mulrk.u16(0).u32(((i + 1) << 2) | 2);
    }
    mulrk.u16(1);
    auto cells = readCrafted({}, {{0, record(0x00BD, mulrk.take())}});
    expectCells(cells, {});
}

TEST(XlsCells, BoolErrKeepsBooleansAndErrorsApart) {
    const std::vector<std::pair<unsigned, std::string>> codes = {
        {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
        {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"}};
    Bytes records = boolErrRecord(0, 2, 1, false) + boolErrRecord(0, 3, 0, false);
    for (unsigned i = 0; i < codes.size(); ++i) {
        records = records + boolErrRecord(1 + i, 2, codes[i].first, true);
    }
    auto cells = readCrafted({}, {{0, records}});
    expectCells(cells, [&] {
        Expected e = {{"C1", boolean(true)}, {"D1", boolean(false)}};
        for (unsigned i = 0; i < codes.size(); ++i) {
            e.push_back({"C" + std::to_string(i + 2), error(codes[i].second)});
        }
        return e;
    }());
}

TEST(XlsCells, FormulaResultsOfEveryKind) {
    const Bytes tokens = {0x1E, 0x01, 0x00}; // =1
    Bytes records = formulaRecord(0, 2, Payload().f64(2.5).take(), tokens, 0) +
                    formulaRecord(0, 3, specialResult(1, 1), tokens) +
                    formulaRecord(0, 4, specialResult(2, 0x2A), tokens) +
                    formulaRecord(0, 5, specialResult(3), tokens) +
                    formulaRecord(0, 6, specialResult(0), tokens) +
                    // the text result, split over a CONTINUE that switches to UTF-16
                    record(0x0207, Payload().u16(4).u8(0).latin1("ab").take()) +
                    record(0x003C, Payload().u8(1).utf16(u"课表").take()) +
                    // a STRING with no formula before it belongs to nothing
                    formulaRecord(0, 7, specialResult(0), tokens) + numberRecord(0, 8, 9) +
                    record(0x0207, Payload().string8(u"stray").take());
    auto cells = readCrafted({}, {{0, records}});
    CellValue text = str("ab课表", "=1");
    expectCells(cells, {{"C1", num(2.5)},
                        {"D1", boolean(true)},
                        {"E1", error("#N/A")},
                        {"F1", str("", "=1")},
                        {"G1", text},
                        {"H1", str("")},
                        {"I1", num(9)}});
}

// Some writers give FORMULA its BIFF3 or BIFF4 id inside a BIFF8 sheet; the cells must come
// out as with the BIFF8 id, not empty: a room given by a formula is still the room.
class XlsOldFormulaIds : public ::testing::TestWithParam<std::uint16_t> {};

TEST_P(XlsOldFormulaIds, ReadAsFormula) {
    const std::uint16_t id = GetParam();
    const Bytes concat = {0x17, 2, 0, 'r', '1', 0x17, 1, 0, '5', 0x08}; // ="r1"&"5"
    const Bytes records = formulaRecord(1, 1, specialResult(0), concat, 0, id) +
                          record(0x0207, Payload().string8(u"第一大节").take()) +
                          formulaRecord(2, 3, specialResult(0), concat, 0, id) +
                          record(0x0207, Payload().string8(u"教201").take()) +
                          formulaRecord(3, 4, Payload().f64(7).take(), {0x1E, 0x07, 0x00}, 0, id) +
                          formulaRecord(4, 5, specialResult(1, 1), {0x1D, 0x01}, 0, id);
    auto cells = readCrafted({}, {{0, records}});
    expectCells(cells, {{"B2", str("第一大节", "=\"r1\"&\"5\"")},
                        {"D3", str("教201")},
                        {"E4", num(7)},
                        {"F5", boolean(true)}});
    EXPECT_EQ(cells.grid[3][2].formula, "=7");
}

INSTANTIATE_TEST_SUITE_P(Ids, XlsOldFormulaIds, ::testing::Values(0x0006, 0x0206, 0x0406));

TEST(XlsSst, StringsSplitOverContinueRecordsWithRunsAndPhoneticTails) {
    // 0: plain; 1: rich text whose run table straddles a CONTINUE; 2: characters split
    // compressed -> UTF-16; 3: phonetic tail straddling a CONTINUE; 4: after all of them.
    const Bytes pieces0 = Payload()
                              .string8(u"plain")
                              .u16(3)
                              .u8(0x08)
                              .u16(2)
                              .latin1("abc")
                              .u32(0x00010000)
                              .u16(0x0002) // half of the second run
                              .take();
    const Bytes pieces1 = Payload()
                              .u16(0x0000)
                              .u16(6)
                              .u8(0x00)
                              .latin1("xyz") // first half compressed
                              .take();
    const Bytes pieces2 = Payload()
                              .u8(0x01)
                              .utf16(u"第一节") // the rest in UTF-16
                              .u16(2)
                              .u8(0x04)
                              .u32(10)
                              .latin1("ph")
                              .bytes(Bytes(4, 0xEE))
                              .take();
    const Bytes pieces3 = Payload().bytes(Bytes(6, 0xEE)).string8(u"last").take();
    auto cells = readCrafted(
        sst({pieces0, pieces1, pieces2, pieces3}),
        {{0, labelSstRecord(0, 2, 0) + labelSstRecord(0, 3, 1) + labelSstRecord(0, 4, 2) +
                 labelSstRecord(0, 5, 3) + labelSstRecord(0, 6, 4) + labelSstRecord(1, 1, 2)}});
    expectCells(cells, {{"C1", str("plain")},
                        {"D1", str("abc")},
                        {"E1", str("xyz第一节")},
                        {"F1", str("ph")},
                        {"G1", str("last")},
                        {"B2", str("xyz第一节")}});
}

TEST(XlsSheets, FirstWorksheetAndActiveSheetAreFoundByType) {
    // A chart sheet first, the markers' worksheet second, the active one third.
    Bytes chart = record(0x1002, Payload().u32(0).u32(0).u32(0).u32(0).take());
    auto result = readXls(xlsFile(workbookStream(
        window1(2), {{2, chart, 0x20}, {0, numberRecord(0, 1, 1)}, {0, numberRecord(0, 2, 5)}})));
    ASSERT_TRUE(result.ok());
    expectCells(*result, {{"B1", num(1)}, {"C1", num(5)}});
    EXPECT_TRUE(result->activeSheetIsWorksheet);
}

struct ActiveCase {
    unsigned type;
    bool worksheet;
};

class XlsActiveSheet : public ::testing::TestWithParam<ActiveCase> {};

TEST_P(XlsActiveSheet, OnlyAWorksheetCanBeTheActiveSheet) {
    const auto& c = GetParam();
    auto cells = readCrafted(window1(1), {{0, numberRecord(0, 1, 1) + numberRecord(0, 2, 2)},
                                          {c.type, numberRecord(0, 2, 3)}});
    EXPECT_EQ(cells.activeSheetIsWorksheet, c.worksheet);
    EXPECT_DOUBLE_EQ(cells.markerColumn[0].number, 1);
    // the first sheet's grid is never mixed in
    EXPECT_DOUBLE_EQ(cells.grid[0][0].number, c.worksheet ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(Types, XlsActiveSheet,
                         ::testing::Values(ActiveCase{0, true}, ActiveCase{1, false},
                                           ActiveCase{2, false}, ActiveCase{6, false}));

TEST(XlsSheets, ActiveIndexPastTheLastSheetOpensTheFirst) {
    auto cells = readCrafted(window1(7), {{0, numberRecord(0, 2, 1)}, {0, numberRecord(0, 2, 2)}});
    EXPECT_TRUE(cells.activeSheetIsWorksheet);
    EXPECT_DOUBLE_EQ(cells.grid[0][0].number, 1);
}

TEST(XlsSheets, EmbeddedChartRecordsAreSkipped) {
    // A chart substream inside the sheet holds records with cell ids; they are not cells.
    const Bytes bof = record(0x0809, Payload().u16(0x0600).u16(0x20).u32(0).u32(0).u32(0).take());
    auto cells = readCrafted({}, {{0, numberRecord(0, 2, 1) + bof + numberRecord(0, 3, 99) +
                                          record(0x000A, {}) + numberRecord(0, 4, 2)}});
    expectCells(cells, {{"C1", num(1)}, {"E1", num(2)}});
}

TEST(XlsSheets, ReadingStopsWellPastTheKeptRows) {
    // A cell 40 rows below the grid ends the sheet; nothing after it is looked at, not even a
    // broken record.
    auto cells = readCrafted({}, {{0, numberRecord(201, 2, 1) + numberRecord(202 + 40, 2, 2) +
                                          record(0x0203, Bytes(3, 0)) + numberRecord(5, 2, 3)}});
    expectCells(cells, {{"C202", num(1)}});
}

TEST(XlsBiff5, TextInTheWorkbookCodePage) {
    const Bytes codePage = record(0x0042, Payload().u16(936).take());
    const Bytes label =
        record(0x0204, Payload().bytes(cellHeader(0, 2)).u16(4).latin1("\xBF\xCE\xB1\xED").take());
    const Bytes formula = formulaRecord(0, 3, specialResult(0), {0x17, 2, 0xB5, 0xDA}) +
                          record(0x0207, Payload().u16(2).latin1("\xB5\xDA").take());
    auto cells = readCrafted(codePage, {{0, label + formula}}, false);
    expectCells(cells, {{"C1", str("课表")}, {"D1", str("第", "=\"第\"")}});
}

TEST(XlsContainer, StreamNamesMatchIgnoringCaseAndWorkbookWins) {
    const Bytes one = workbookStream({}, {{0, numberRecord(0, 2, 1)}});
    const Bytes two = workbookStream({}, {{0, numberRecord(0, 2, 2)}});
    struct Case {
        std::vector<std::pair<std::u16string, Bytes>> streams;
        double c1;
    };
    for (const Case& c : {Case{{{u"WORKBOOK", one}}, 1}, Case{{{u"book", one}}, 1},
                          Case{{{u"Book", two}, {u"Workbook", one}}, 1},
                          Case{{{u"\x05SummaryInformation", two}, {u"Book", one}}, 1}}) {
        auto result = readXls(oleFile(c.streams));
        ASSERT_TRUE(result.ok()) << result.failure().detail;
        EXPECT_DOUBLE_EQ(result->grid[0][0].number, c.c1);
    }
}

TEST(XlsGlobals, DateModeAndFormats) {
    const Bytes globals =
        record(0x0022, Payload().u16(1).take()) +
        record(0x041E, Payload().u16(164).string8(u"yyyy\"年\"m\"月\"d\"日\"").take()) +
        record(0x041E, Payload().u16(165).string8(u"\"¥\"#,##0.00").take()) +
        record(0x00E0, Payload().u16(0).u16(0).bytes(Bytes(16, 0)).take()) +
        record(0x00E0, Payload().u16(0).u16(164).bytes(Bytes(16, 0)).take()) +
        record(0x00E0, Payload().u16(0).u16(165).bytes(Bytes(16, 0)).take()) +
        record(0x00E0, Payload().u16(0).u16(14).bytes(Bytes(16, 0)).take());
    auto cells = readCrafted(globals, {{0, numberRecord(0, 2, 1, 0) + numberRecord(0, 3, 2, 1) +
                                               numberRecord(0, 4, 3, 2) + numberRecord(0, 5, 4, 3) +
                                               numberRecord(0, 6, 5, 99)}});
    EXPECT_TRUE(cells.date1904);
    expectCells(cells, {{"C1", num(1)},
                        {"D1", num(2, FormatKind::Date)},
                        {"E1", num(3, FormatKind::Currency)},
                        {"F1", num(4, FormatKind::Date)},
                        {"G1", num(5)}});
}

Bytes expToken(unsigned row, unsigned column) {
    return Payload().u8(0x01).u16(row).u16(column).take();
}
// SHRFMLA (shared) or ARRAY record over rows r1..r2, columns c1..c2.
Bytes groupRecord(bool shared, unsigned r1, unsigned r2, unsigned c1, unsigned c2,
                  const Bytes& tokens) {
    Payload p;
    p.u16(r1).u16(r2).u8(c1).u8(c2);
    if (shared) {
        p.u8(0).u8(2);
    } else {
        p.u16(0).u32(0);
    }
    return record(shared ? 0x04BC : 0x0221,
                  p.u16(static_cast<unsigned>(tokens.size())).bytes(tokens).take());
}

TEST(XlsFormulas, SharedArrayNamedAndOtherSheetFormulasAsTheirText) {
    const Bytes globals = record(0x01AE, Payload().u16(2).u16(0x0401).take()) + // this workbook
                          record(0x0017, Payload().u16(1).u16(0).u16(1).u16(1).take()) + // Sheet2
                          record(0x0018, Payload()
                                             .u16(0)
                                             .u8(0)
                                             .u8(4)
                                             .u16(0)
                                             .u16(0)
                                             .u16(0)
                                             .u32(0)
                                             .u8(1)
                                             .utf16(u"第五节行")
                                             .take());
    const Bytes number = Payload().f64(5).take();
    // B2:B4 filled down from B2 (=B1&"节"); C12 takes its shared formula from A12, a cell
    // that is not kept.
    const Bytes shared = Payload().u8(0x4C).u16(0xFFFF).u16(0xC000).take() +
                         Payload().u8(0x17).u8(1).u8(1).utf16(u"节").take() + Bytes{0x08};
    const Bytes fromA = Payload().u8(0x4C).u16(0).u16(0xC003).take(); // three columns right
    const Bytes array = Payload().u8(0x25).u16(0).u16(1).u16(0xC000).u16(0xC000).take() +
                        Payload().u8(0x17).u8(1).u8(0).latin1("x").take() + Bytes{0x08};
    const Bytes records =
        formulaRecord(0, 1, number, Payload().u8(0x3A).u16(0).u16(0).u16(0xC000).take()) +
        formulaRecord(1, 1, specialResult(0), expToken(1, 1)) +
        groupRecord(true, 1, 3, 1, 1, shared) +
        record(0x0207, Payload().string8(u"第一节").take()) +
        formulaRecord(2, 1, number, expToken(1, 1)) + formulaRecord(3, 1, number, expToken(1, 1)) +
        formulaRecord(5, 1, number, expToken(5, 1)) + groupRecord(false, 5, 6, 1, 1, array) +
        formulaRecord(6, 1, number, expToken(5, 1)) +
        formulaRecord(8, 1, number, Payload().u8(0x23).u16(1).u16(0).take()) +
        formulaRecord(9, 1, number, expToken(40, 1)) +
        formulaRecord(11, 0, number, expToken(11, 0)) + groupRecord(true, 11, 11, 0, 2, fromA) +
        formulaRecord(11, 2, number, expToken(11, 0));
    auto cells = readCrafted(globals, {{0, records}, {0, {}}});
    const auto& b = cells.markerColumn;
    EXPECT_EQ(b[0].formula, "=Sheet2!A1");
    EXPECT_EQ(b[1].formula, "=B1&\"节\"");
    EXPECT_EQ(b[1].text, "第一节"); // the master's STRING still follows its SHRFMLA
    EXPECT_EQ(b[2].formula, "=B2&\"节\"");
    EXPECT_EQ(b[3].formula, "=B3&\"节\"");
    EXPECT_EQ(b[5].formula, "=A1:A2&\"x\""); // array formulas without braces, in every cell
    EXPECT_EQ(b[6].formula, "=A1:A2&\"x\"");
    EXPECT_EQ(b[8].formula, "=第五节行");
    // A shared formula that never comes: no text, and not the value either.
    EXPECT_EQ(b[9].formula, "");
    EXPECT_TRUE(b[9].formulaUnknown);
    EXPECT_DOUBLE_EQ(b[9].number, 5);
    EXPECT_EQ(cells.grid[11][0].formula, "=F12");
}

} // namespace
} // namespace orvanto::spreadsheet
