// The timetable check: each kind of finding in a table over a typical timetable with one fault
// put in, its place and its line, and what it finds in every sample workbook.
#include "service/TimetableCheck.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orvanto::core::Term;
using orvanto::service::checkTimetable;
using orvanto::service::Finding;
using orvanto::service::LoadedTimetable;
using orvanto::spreadsheet::CellValue;
using orvanto::spreadsheet::Workbook;
using orvanto::spreadsheet::WorkbookCells;
using Kind = Finding::Kind;

constexpr orvanto::timetable::MarkerRows kMarkers = {3, 13, 23, 33, 43, 53};

CellValue& at(WorkbookCells& cells, const std::string& address) {
    const auto column = static_cast<std::size_t>(address[0] - 'C');
    const auto row = static_cast<std::size_t>(std::stoi(address.substr(1)));
    return cells.grid[row - 1][column];
}

void put(WorkbookCells& cells, const std::string& address, const std::string& text,
         CellValue::Kind kind = CellValue::Kind::String) {
    CellValue& value = at(cells, address);
    value.kind = kind;
    value.text = text;
}

// Weekday headings, and a block of four lines at the given top cell.
WorkbookCells typical() {
    WorkbookCells cells;
    const char* days[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int day = 0; day < 7; ++day) {
        put(cells, std::string(1, static_cast<char>('C' + day)) + "1", days[day]);
    }
    auto block = [&](const char* column, int top, const char* weeks) {
        const std::string c(column);
        put(cells, c + std::to_string(top), "高等数学");
        put(cells, c + std::to_string(top + 1), weeks);
        put(cells, c + std::to_string(top + 2), "张明");
        put(cells, c + std::to_string(top + 3), "教3-201");
    };
    block("C", 3, "{第1-16周}");
    block("D", 8, "{第1-15周}单周");
    block("D", 13, "{第2-16周}双周");
    block("I", 48, "{第1-22周}");
    return cells;
}

std::vector<Finding> check(WorkbookCells cells, const Term& term = {}) {
    const LoadedTimetable loaded{Workbook(std::move(cells)), kMarkers};
    return checkTimetable(loaded, term);
}

struct FaultCase {
    const char* name;
    void (*fault)(WorkbookCells&);
    Kind kind;
    const char* line;
};

class Fault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Fault, IsFoundOnceWithItsPlaceAndLine) {
    WorkbookCells cells = typical();
    GetParam().fault(cells);
    const std::vector<Finding> findings = check(std::move(cells));
    ASSERT_EQ(findings.size(), 1u) << (findings.empty() ? "" : findings[1 % findings.size()].line);
    EXPECT_EQ(findings[0].kind, GetParam().kind);
    EXPECT_EQ(findings[0].line, GetParam().line);
    EXPECT_TRUE(findings[0].line.starts_with(findings[0].place + "：")) << findings[0].line;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Fault,
    ::testing::Values(
        FaultCase{"fullWidthHyphen", [](WorkbookCells& c) { put(c, "D9", "{第1－16周}"); },
                  Kind::WeekRowNoWeek, "D9：{第1－16周}：全角连字符，应写作 {第1-16周}"},
        FaultCase{"oneWeek", [](WorkbookCells& c) { put(c, "C4", "{第5周}"); }, Kind::WeekRowNoWeek,
                  "C4：{第5周}：只写了一周，应写作 {第5-5周}"},
        FaultCase{"afterTheTerm", [](WorkbookCells& c) { put(c, "I49", "{第23-26周}"); },
                  Kind::WeekRowNoWeek,
                  "I49：{第23-26周}：写的周次不在本学期的第1-22周内，课程不会显示"},
        FaultCase{"commaList", [](WorkbookCells& c) { put(c, "C4", "{第1-8周,10-16周}"); },
                  Kind::WeekRowPartly,
                  "C4：{第1-8周,10-16周}：一格只认一段周次，只在第1-8周显示，应拆成2个课程块，"
                  "分别写作 {第1-8周} 和 {第10-16周}"},
        FaultCase{"headerInBlankRow", [](WorkbookCells& c) { put(c, "E2", "课程/周次/教师/教室"); },
                  Kind::BlankRowText,
                  "E2：课程/周次/教师/教室：这段文字会出现在这一列每个没课的格子里"},
        FaultCase{"blockBelowTheLastPeriod",
                  [](WorkbookCells& c) {
                      put(c, "F55", "英语角");
                      put(c, "F56", "{第1-16周}");
                      put(c, "F57", "外教");
                  },
                  Kind::OutsideBigPeriod,
                  "F55：英语角：不在任何大节的课程块里（第一节在第3行，第12节在第53行），不会显示"},
        FaultCase{"emptyWeekRow", [](WorkbookCells& c) { at(c, "D14") = {}; }, Kind::EmptyWeekRow,
                  "D14：高等数学：这门课的周次一行是空的，课程不会显示；应写作 {第1-22周} "
                  "这样的形式"},
        FaultCase{"errorValue",
                  [](WorkbookCells& c) { put(c, "C5", "#N/A", CellValue::Kind::Error); },
                  Kind::UnreadableCell,
                  "C5：#N/A：错误值，课表读到这里会报错“类型不匹配”，应改成文字或清空"},
        FaultCase{"savedOnAnotherSheet",
                  [](WorkbookCells& c) {
                      c.activeIsFirstWorksheet = false;
                      c.firstWorksheetName = "课表";
                      c.activeSheetName = "Sheet2";
                  },
                  Kind::OtherSheetShown,
                  "工作表“Sheet2”：保存时显示的是这张表，课程从它读取，节次却按第一个工作表“课表”"
                  "找；应在“课表”上保存工作簿"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Check, ATypicalTimetableHasNothingToSay) {
    EXPECT_TRUE(check(typical()).empty());
}

TEST(Check, FindingsComeInReadingOrderWithTheSheetFirst) {
    WorkbookCells cells = typical();
    put(cells, "I49", "{第1~22周}");
    put(cells, "C2", "备注");
    put(cells, "D9", "{第1－16周}");
    put(cells, "C4", "{第1-8周,10-16周}");
    cells.activeIsFirstWorksheet = false;
    std::vector<std::string> places;
    for (const Finding& finding : check(std::move(cells))) {
        places.push_back(finding.place);
    }
    EXPECT_EQ(places, (std::vector<std::string>{"工作表“”", "C2", "C4", "D9", "I49"}));
}

TEST(Check, TheTermDecidesWhichWeeksCount) {
    WorkbookCells cells = typical();
    Term shortTerm;
    shortTerm.weeks = 18;
    // Weeks 19 to 22 do not exist in an 18-week term; 1 to 18 of them still show.
    EXPECT_TRUE(check(cells, shortTerm).empty());
    put(cells, "C4", "{第20-22周}");
    const auto findings = check(std::move(cells), shortTerm);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, Kind::WeekRowNoWeek);
}

// What the layout means on purpose is no fault: weekday headings over the grid and a word in
// row 2 for free slots. Text above the first marker that is no heading still is one.
TEST(Check, HeadingsAboveTheFirstMarkerAndRowTwoTextAreNoFaults) {
    struct Case {
        const char* name;
        const char* d4; // what stands in D4, above the first marker in row 5
        std::vector<std::string> toFix;
    };
    const std::vector<Case> cases = {
        {"weekdayName", "星期二", {}},
        {"shortWeekday", "周二", {}},
        {"weekdayWithDate", "周二 3/2", {}},
        {"englishWeekday", "Tuesday", {}},
        {"aClassAboveTheGrid",
         "高等数学",
         {"D4：高等数学：不在任何大节的课程块里（第一节在第5行，第12节在第55行），不会显示"}},
    };
    for (const Case& c : cases) {
        WorkbookCells cells;
        const char* days[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
        for (int day = 0; day < 7; ++day) {
            const std::string column(1, static_cast<char>('C' + day));
            put(cells, column + "2", "自习");
            put(cells, column + "4", days[day]);
        }
        put(cells, "D4", c.d4);
        put(cells, "C5", "高等数学");
        put(cells, "C6", "{第1-16周}");
        const LoadedTimetable loaded{Workbook(std::move(cells)), {5, 15, 25, 35, 45, 55}};
        const std::vector<Finding> findings = checkTimetable(loaded, Term{});
        std::vector<std::string> toFix;
        int notes = 0;
        for (const Finding& finding : findings) {
            if (finding.note) {
                ++notes;
                EXPECT_EQ(finding.kind, Kind::BlankRowText) << c.name;
                EXPECT_TRUE(
                    finding.line.ends_with("：自习：这段文字会出现在这一列每个没课的格子里"))
                    << finding.line;
            } else {
                toFix.push_back(finding.line);
            }
        }
        EXPECT_EQ(toFix, c.toFix) << c.name;
        EXPECT_EQ(notes, 7) << c.name;
        EXPECT_EQ(orvanto::service::countToFix(findings), c.toFix.size()) << c.name;
    }
}

// The samples are timetables as real writers saved them. Most are sound; the others were made
// to carry one fault each for the readers, and the check names exactly that fault.
TEST(Check, EverySampleWorkbookGivesWhatItWasMadeWith) {
    const std::map<std::string, std::set<Kind>> madeWith = {
        {"layout-date1904", {Kind::WeekRowPartly}}, // a date in a week row
        {"layout-number-formats", {Kind::WeekRowPartly, Kind::WeekRowNoWeek}}, // True, 12345678901
        {"layout-error-week3", {Kind::UnreadableCell}},
        {"layout-formulas-", {Kind::UnreadableCell}},
        {"windows-failing", {Kind::UnreadableCell}},
        {"layout-marker-b1", {Kind::BlankRowText, Kind::EmptyWeekRow}},
        {"layout-week-patterns", {Kind::Clash}}, // overlapping blocks, the upper one shown
        {"layout-second-sheet-active",
         {Kind::OtherSheetShown, Kind::EmptyWeekRow, Kind::OutsideBigPeriod}},
        {"xlsx-chartsheet-first", {Kind::OtherSheetShown}},
    };
    const fs::path root = fs::path(ORVANTO_TEST_DATA).parent_path().parent_path();
    std::vector<fs::path> workbooks = {root / "examples" / "timetable.xlsx"};
    for (const auto& entry : fs::directory_iterator(root / "tests" / "data" / "samples")) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".xls" || extension == ".xlsx") {
            workbooks.push_back(entry.path());
        }
    }
    int sound = 0;
    for (const fs::path& path : workbooks) {
        auto loaded = orvanto::service::loadTimetable(path);
        if (!loaded) {
            continue; // not a timetable: no markers
        }
        std::set<Kind> expected;
        for (const auto& [prefix, kinds] : madeWith) {
            if (path.filename().string().starts_with(prefix)) {
                expected = kinds;
            }
        }
        std::set<Kind> found;
        for (const Finding& finding : checkTimetable(*loaded, Term{})) {
            found.insert(finding.kind);
        }
        EXPECT_EQ(found, expected) << path.filename();
        sound += expected.empty() ? 1 : 0;
    }
    EXPECT_GE(sound, 20);
}

} // namespace
