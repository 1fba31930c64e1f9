#include "imports/entries/DialectSniffer.h"

#include "WeekSets.h"
#include "imports/entries/CellPieces.h"
#include "imports/layouts/TermHeading.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace orvanto::imports;
using orvanto::importtests::weeks;

namespace {

struct Expected {
    std::string course;
    std::string teacher;
    std::string room;
    WeekSet weeks;
};

struct FileCase {
    const char* name;
    std::vector<std::string> cells; // the file's class cells; the first is checked
    std::vector<Expected> classes;
    std::size_t details = 0;
};

std::ostream& operator<<(std::ostream& out, const FileCase& c) {
    return out << c.name;
}

class DialectSnifferTest : public ::testing::TestWithParam<FileCase> {};

// The dialect ranked first over the whole file reads its first cell into exactly these classes,
// with nothing unread.
TEST_P(DialectSnifferTest, ReadsTheFileInTheDialectThatExplainsIt) {
    const FileCase& file = GetParam();
    const auto ranked = rankDialects(file.cells);
    ASSERT_FALSE(ranked.empty());
    EXPECT_EQ(ranked.front().explained, file.cells.size());
    const CellReading reading = readCellIn(file.cells.front(), ranked.front().dialect);
    EXPECT_TRUE(reading.unread.empty()) << reading.unread.front();
    ASSERT_EQ(reading.classes.size(), file.classes.size());
    for (std::size_t i = 0; i < file.classes.size(); ++i) {
        EXPECT_EQ(reading.classes[i].course, file.classes[i].course);
        EXPECT_EQ(reading.classes[i].teacher, file.classes[i].teacher);
        EXPECT_EQ(reading.classes[i].room, file.classes[i].room);
        EXPECT_EQ(reading.classes[i].weeks, file.classes[i].weeks);
    }
    EXPECT_EQ(reading.details.size(), file.details);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DialectSnifferTest,
    ::testing::Values(
        FileCase{"FieldsJoinedBySemicolons",
                 {"高等数学\n王芳副教授;1-16周;致新楼-203", "线性代数\n李明;1-8周;致新楼-105",
                  "大学英语\n张红讲师;2-17周;明德楼-301"},
                 {{"高等数学", "王芳副教授", "致新楼-203", weeks(1, 16)}}},
        FileCase{"OneLineJoinedBySemicolons",
                 {"高等数学;王芳;1-16周;致新楼-203", "线性代数;李明;1-8周;致新楼-105"},
                 {{"高等数学", "王芳", "致新楼-203", weeks(1, 16)}}},
        FileCase{"TeacherAfterRoomWithDetails",
                 {"数据结构\n1-16周\n教2-301\n王芳\n教学班组成:计科2101\n学时:48\n周学时:4",
                  "操作系统\n3-18周\n教3-105\n李明\n学时:64"},
                 {{"数据结构", "王芳", "教2-301", weeks(1, 16)}},
                 3},
        FileCase{"BracketedWeeksPartedByBlanks",
                 {"大学物理\n李明\n(1-16  二教106(成都校区))", "高等数学\n王芳\n(1-8  一教201)"},
                 {{"大学物理", "李明", "二教106(成都校区)", weeks(1, 16)}}},
        FileCase{"OptionLineUnderTheCourse",
                 {"体育IV\n网球\n张伟\n1-16周\n田径场", "高等数学\n王芳\n1-16周\n教1-101",
                  "线性代数\n李明\n1-8周\n教1-102"},
                 {{"体育IV", "张伟", "田径场", weeks(1, 16)}},
                 1},
        FileCase{"EmptyTeacherLine",
                 {"\n大学生安全文化\n\n1-15[周]\n网络课程\n",
                  "\n高等数学\n李磊()\n1-16[周]\n南教401\n",
                  "\n大学英语\n熊小秦()\n2,4,6[周]\n南教522\n\n大学物理实验\n周小岩(副教授)\n1,7["
                  "周]\n东环202\n"},
                 {{"大学生安全文化", "", "网络课程", weeks(1, 15)}}},
        FileCase{"BlankLinesInsideAClass",
                 {"教学设计(3103222.01) (王怀波)<br><br><br>(1-16,北二区 北二教学楼 228j)",
                  "操作系统(3103079.01) (张倩颖)<br><br><br>(1-16,北二区 北二教学楼 136j)"},
                 {{"教学设计(3103222.01)", "王怀波", "北二区 北二教学楼 228j", weeks(1, 16)}}},
        FileCase{"KnownFormsKeepTheirReading",
                 {"软件构造</br>徐汉川[1-9，11-14]周正心23", "计算方法</br>陈延梅[1-8]周正心32"},
                 {{"软件构造", "徐汉川", "正心23", weeks(1, 14) & ~weeks(10, 10)}}},
        FileCase{"PairsOnOneLine",
                 {"信号与系统\n教师:罗浩然 周次:[1-8]周 地点:二教317",
                  "高等数学\n教师:王芳 周次:[1-16]周 地点:二教101"},
                 {{"信号与系统", "罗浩然", "二教317", weeks(1, 8)}}},
        FileCase{"SeveralTeachersAfterALabel",
                 {"大学语文\n周次:1-8\n节次:第9,10节\n地点:逸夫楼412\n教师:诸葛军副教授,何杰",
                  "高等数学\n周次:1-16\n节次:第1,2节\n地点:逸夫楼101\n教师:王芳"},
                 {{"大学语文", "诸葛军副教授,何杰", "逸夫楼412", weeks(1, 8)}}},
        FileCase{"FieldsPartedByDrawnMarks",
                 {"高等数学◇王芳◇1-16周◇教1-101", "线性代数◆李明◆1-8周◆教1-102"},
                 {{"高等数学", "王芳", "教1-101", weeks(1, 16)}}},
        // A mark that only starts a course parts nothing: the course keeps it.
        FileCase{"StarredCourseOnLinesOfItsOwn",
                 {"★高等数学\n王芳\n1-16周\n教1-101", "线性代数\n李明\n1-8周\n教1-102"},
                 {{"★高等数学", "王芳", "教1-101", weeks(1, 16)}}},
        FileCase{"LabelledFields",
                 {"高等数学\n周次：1-16周\n教师：王芳\n地点：教1-101",
                  "线性代数\n周次：1-8周\n教师：李明\n地点：教1-102"},
                 {{"高等数学", "王芳", "教1-101", weeks(1, 16)}}}));

// A cell that no order explains is listed as not understood, never guessed into a class.
TEST(DialectSnifferTest, ACellWithoutWeeksIsNotExplained) {
    const std::vector<std::string> cells{"高等数学\n王芳\n教1-101",
                                         "线性代数\n李明\n1-8周\n教1-102"};
    const auto ranked = rankDialects(cells);
    EXPECT_EQ(ranked.front().explained, 1u);
    const CellReading reading = readCellIn(cells.front(), ranked.front().dialect);
    EXPECT_TRUE(reading.classes.empty());
    EXPECT_FALSE(reading.unread.empty());
}

// Runners-up are readings of their own: no two give the same classes.
TEST(DialectSnifferTest, RunnersUpDiffer) {
    const std::vector<std::string> cells{"高等数学\n王芳\n1-16周\n教1-101"};
    const auto ranked = rankDialects(cells);
    ASSERT_GE(ranked.size(), 2u);
    std::vector<std::vector<CellClass>> readings;
    for (const DialectScore& score : ranked) {
        readings.push_back(readCellIn(cells.front(), score.dialect).classes);
    }
    for (std::size_t a = 0; a < readings.size(); ++a) {
        for (std::size_t b = a + 1; b < readings.size(); ++b) {
            EXPECT_NE(readings[a], readings[b]) << a << " and " << b;
        }
    }
}

struct CutCase {
    const char* text;
    FieldSeparator separator;
    bool bracketGroups;
    std::vector<PieceKind> kinds;
};

TEST(CellPiecesTest, SeparatorsPartFieldsButNotWhatStandsInBrackets) {
    using enum PieceKind;
    const std::vector<CutCase> cases{
        {"王芳;1-16周;致新楼-203", FieldSeparator::Semicolon, false, {Text, Weeks, Text}},
        {"王芳；1-16周；致新楼-203", FieldSeparator::Semicolon, false, {Text, Weeks, Text}},
        {"王芳  1-16周  A101", FieldSeparator::Blanks, false, {Text, Weeks, Text}},
        {"(1-16  二教106(成都校区))", FieldSeparator::Blanks, false, {Weeks}},
        {"王芳,1-3,5-16周,A101", FieldSeparator::Comma, false, {Text, Weeks, Text}},
        {"王芳|1-16周|A101", FieldSeparator::Bar, false, {Text, Weeks, Text}},
        {"王芳丨1-16周丨A101", FieldSeparator::Bar, false, {Text, Weeks, Text}},
        {"王芳◇1-16周◆A101", FieldSeparator::Mark, false, {Text, Weeks, Text}},
        {"★王芳●1-16周●A101", FieldSeparator::Mark, false, {Text, Weeks, Text}},
        {"阿依古丽·买买提◇1-16周", FieldSeparator::Mark, false, {Text, Weeks}},
        {"课程 (王芳)\n\n(1-16,A101)", FieldSeparator::LineBreak, true, {Text, Text, Empty, Weeks}},
        {"高等数学\n学时:48\n第1-2节\n星期一",
         FieldSeparator::LineBreak,
         false,
         {Text, Detail, Periods, Weekday}},
        {"教师：王芳\n-----", FieldSeparator::LineBreak, false, {Labelled, Break}},
        {"B0801001-03\n2,4,6,8,10,12,14,16\n2020-01-08 08:00-10:00",
         FieldSeparator::LineBreak,
         false,
         {Detail, Weeks, Detail}},
        {"周次：1-16周 教师：王强 地点：教2-201",
         FieldSeparator::LineBreak,
         false,
         {Weeks, Labelled, Labelled}},
        {"[3-4节]\n(1-16)", FieldSeparator::LineBreak, false, {Periods, Weeks}},
    };
    for (const CutCase& c : cases) {
        const auto pieces = cutPieces(c.text, {c.separator, c.bracketGroups});
        std::vector<PieceKind> kinds;
        for (const CellPiece& piece : pieces) {
            kinds.push_back(piece.kind);
        }
        EXPECT_EQ(kinds, c.kinds) << c.text;
    }
}

TEST(TermHeadingTest, ReadsTheTermsExportsName) {
    struct Case {
        const char* text;
        TermHalf half;
        int startYear;
        const char* firstMonday;
    };
    const std::vector<Case> cases{
        {"2018春季学期(1153710204)王一航课表", TermHalf::Spring, 2018, "2018-02-26"},
        {"学年学期：2019-2020-2        班级：力学1901", TermHalf::Spring, 2020, "2020-02-24"},
        {"学年学期:2018-2019-1 班级:软件1801", TermHalf::Autumn, 2018, "2018-09-03"},
        {"2025-2026学年第一学期", TermHalf::Autumn, 2025, "2025-09-01"},
        {"2018-2019学年第2学期", TermHalf::Spring, 2019, "2019-02-25"},
        {"2020-2021学年秋季学期课表", TermHalf::Autumn, 2020, "2020-09-07"},
        {"2021年夏季学期", TermHalf::Summer, 2021, "2021-07-05"},
    };
    for (const Case& c : cases) {
        const auto term = readTermHeading(c.text);
        ASSERT_TRUE(term) << c.text;
        EXPECT_EQ(term->half, c.half) << c.text;
        EXPECT_EQ(term->startYear, c.startYear) << c.text;
        const auto monday = term->likelyFirstMonday();
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(monday.year()),
                      static_cast<unsigned>(monday.month()), static_cast<unsigned>(monday.day()));
        EXPECT_STREQ(date, c.firstMonday) << c.text;
    }
    for (const char* none : {"星期一", "2018-11-03", "学号: 20161000001", "打印时间:2018-11-03"}) {
        EXPECT_FALSE(readTermHeading(none)) << none;
    }
}

// Without a heading, the term proposed is the half-year the day falls in, and it reads back as
// a heading would.
TEST(TermHeadingTest, TheTermAroundADayReadsLikeAHeading) {
    using namespace std::chrono;
    struct Case {
        year_month_day day;
        const char* edition;
        year_month_day firstMonday;
    };
    const std::vector<Case> cases{
        {2025y / October / 15, "2025-2026学年第一学期", 2025y / September / 1},
        {2026y / January / 10, "2025-2026学年第一学期", 2025y / September / 1},
        {2026y / February / 1, "2025-2026学年第二学期", 2026y / February / 23},
        {2026y / July / 31, "2025-2026学年第二学期", 2026y / February / 23},
        {2026y / August / 20, "2026-2027学年第一学期", 2026y / September / 7},
    };
    for (const Case& c : cases) {
        const ExportTerm term = termAround(c.day);
        EXPECT_EQ(term.edition, c.edition);
        EXPECT_EQ(term.likelyFirstMonday(), c.firstMonday) << term.edition;
        EXPECT_EQ(readTermHeading(term.edition), term);
    }
}

} // namespace
