// Timetable cells as school exports fill them: every field order, several classes with each
// separator, rooms that change with the weeks, extras, and lines that fit no class.

#include "imports/entries/ClassCell.h"

#include "WeekSets.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace orvanto::imports {
namespace {

using importtests::weeks;

CellClass cls(std::string course, std::string teacher, std::string room, WeekSet weekSet,
              std::optional<SmallPeriods> periods = std::nullopt,
              std::optional<int> weekday = std::nullopt) {
    return {std::move(course), std::move(teacher), std::move(room), weekSet, periods, weekday};
}

struct CellCase {
    std::string name;
    std::string text;
    std::vector<CellClass> classes;
    std::vector<std::string> unread;
};

void PrintTo(const CellCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadClassCell : public testing::TestWithParam<CellCase> {};

TEST_P(ReadClassCell, GivesTheClassesAndTheRest) {
    const CellReading reading = readClassCell(GetParam().text);
    ASSERT_EQ(reading.classes.size(), GetParam().classes.size());
    for (std::size_t i = 0; i < reading.classes.size(); ++i) {
        const CellClass& got = reading.classes[i];
        const CellClass& want = GetParam().classes[i];
        EXPECT_EQ(got.course, want.course) << "class " << i;
        EXPECT_EQ(got.teacher, want.teacher) << "class " << i;
        EXPECT_EQ(got.room, want.room) << "class " << i;
        EXPECT_EQ(got.weeks, want.weeks) << "class " << i << ": " << got.weeks.to_string();
        EXPECT_EQ(got.periods, want.periods) << "class " << i;
        EXPECT_EQ(got.weekday, want.weekday) << "class " << i;
    }
    EXPECT_EQ(reading.unread, GetParam().unread);
}

const SmallPeriods kFirstTwo{1, 2};

INSTANTIATE_TEST_SUITE_P(
    Cells, ReadClassCell,
    testing::Values(
        CellCase{"EmptyCell", "", {}, {}}, CellCase{"BlankLinesOnly", "\n \n\u3000\n", {}, {}},
        // The field orders, one class each.
        CellCase{"CourseTeacherWeeksRoom",
                 "高等数学A\n张三\n1-16周\nA101",
                 {cls("高等数学A", "张三", "A101", weeks(1, 16))},
                 {}},
        CellCase{"WeeksPeriodsRoom",
                 "高等数学\n张三\n1-16周[1-2节]A101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {}},
        CellCase{"WeeksRoundBracketPeriodsRoom",
                 "高等数学\n张三\n1-16周(1-2节)A101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {}},
        CellCase{"RoundBracketPeriodsBeforeTheWeeks",
                 "高等数学\n张三\n（3-4节）2-16周(双)\n教1-204",
                 {cls("高等数学", "张三", "教1-204", weeks(2, 16, 2), SmallPeriods{3, 4})},
                 {}},
        CellCase{"LabelledFieldsInAnyOrder",
                 "线性代数\n地点：教2-105\n周次：1-8周\n教师：王五",
                 {cls("线性代数", "王五", "教2-105", weeks(1, 8))},
                 {}},
        CellCase{"WeeksPeriodsRoomTwoDigits",
                 "高等数学\n张三\n1-16周[01-02节]A101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {}},
        CellCase{"WeeksBarePeriodsRoom",
                 "高等数学\n张三\n2-16双周[3-4]教1-204",
                 {cls("高等数学", "张三", "教1-204", weeks(2, 16, 2), SmallPeriods{3, 4})},
                 {}},
        CellCase{"WeeksPeriodsThenTheRoomBelow",
                 "高等数学\n张三\n1-16周[1-2节]\nA101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {}},
        CellCase{"WeeksBlankRoom",
                 "高等数学\n张三\n3-8 11-12周 教1-204",
                 {cls("高等数学", "张三", "教1-204", weeks(3, 8) | weeks(11, 12))},
                 {}},
        CellCase{"TeacherWeeksRoomOnOneLine",
                 "大学物理\n李四[1-16]周教2-301",
                 {cls("大学物理", "李四", "教2-301", weeks(1, 16))},
                 {}},
        CellCase{
            "NoTeacher", "体育\n[18]周 体育馆", {cls("体育", "", "体育馆", weeks(18, 18))}, {}},
        CellCase{"RoomChangesWithTheWeeks",
                 "数据结构\n王五[1-3，5-16]周A432，[4]周校外",
                 {cls("数据结构", "王五", "A432", weeks(1, 3) | weeks(5, 16)),
                  cls("数据结构", "王五", "校外", weeks(4, 4))},
                 {}},
        CellCase{"BracketsInsideTheRoom",
                 "化学实验\n赵六[2-9]周实验楼[东]301",
                 {cls("化学实验", "赵六", "实验楼[东]301", weeks(2, 9))},
                 {}},
        CellCase{"CourseNumberTeacherThenWeeksRoom",
                 "大学英语(0012) (王芳)\n(1-16,外语楼201)",
                 {cls("大学英语(0012)", "王芳", "外语楼201", weeks(1, 16))},
                 {}},
        CellCase{"WeeksWithCommasBeforeTheRoom",
                 "大学英语(0012) (王芳)\n(1-8,10-16,A101)",
                 {cls("大学英语(0012)", "王芳", "A101", weeks(1, 8) | weeks(10, 16))},
                 {}},
        CellCase{"RoomWithACommaKeepsIt",
                 "线性代数 (孙七)\n（1-16，A101,多媒体）",
                 {cls("线性代数", "孙七", "A101,多媒体", weeks(1, 16))},
                 {}},
        CellCase{"ClassicWhenLine",
                 "高等数学\n周一第1,2节{第1-16周}\n张三\nA101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo, 0)},
                 {}},
        CellCase{"ClassicWhenLineOddWeeks",
                 "大学物理\n星期三第3,4,5节{第1-15周|单周}\n李四(教授)\n教3-105",
                 {cls("大学物理", "李四(教授)", "教3-105", weeks(1, 15, 2), SmallPeriods{3, 5}, 2)},
                 {}},
        CellCase{"ClassicWhenLineWithHoursAWeek",
                 "操作系统\n周五第5,6节{第2-16周|双周|2节/周}\n钱八\n信息楼402",
                 {cls("操作系统", "钱八", "信息楼402", weeks(2, 16, 2), SmallPeriods{5, 6}, 4)},
                 {}},
        CellCase{"ClassicWhenLineWithSomethingElseAfterABar",
                 "操作系统\n周五第5,6节{第2-16周|另行通知}\n钱八\n信息楼402",
                 {},
                 {"操作系统", "周五第5,6节{第2-16周|另行通知}", "钱八", "信息楼402"}},
        // Several classes: blank lines, dashes, nothing between them.
        CellCase{"BlankLineBetween",
                 "高等数学\n张三\n1-8周\nA101\n\n线性代数\n李四\n10-16周\nB202",
                 {cls("高等数学", "张三", "A101", weeks(1, 8)),
                  cls("线性代数", "李四", "B202", weeks(10, 16))},
                 {}},
        CellCase{"DashLinesBetween",
                 "高等数学\n张三\n1-8周\nA101\n-----\n线性代数\n李四\n10-16周\nB202\n——\n"
                 "体育\n[1-16]周 操场",
                 {cls("高等数学", "张三", "A101", weeks(1, 8)),
                  cls("线性代数", "李四", "B202", weeks(10, 16)),
                  cls("体育", "", "操场", weeks(1, 16))},
                 {}},
        CellCase{"NothingBetween",
                 "高等数学\n张三\n单1-15\nA101\n线性代数\n李四\n双2-16\nB202",
                 {cls("高等数学", "张三", "A101", weeks(1, 15, 2)),
                  cls("线性代数", "李四", "B202", weeks(2, 16, 2))},
                 {}},
        CellCase{"NothingBetweenOneLineForm",
                 "大学物理\n李四[1-8]周教2-301\n电路\n王五[9-16]周教2-302",
                 {cls("大学物理", "李四", "教2-301", weeks(1, 8)),
                  cls("电路", "王五", "教2-302", weeks(9, 16))},
                 {}},
        CellCase{"NothingBetweenBracketedForm",
                 "大学英语(0012) (王芳)\n(1-8,外语楼201)\n日语(0020) (林一)\n(9-16,外语楼305)",
                 {cls("大学英语(0012)", "王芳", "外语楼201", weeks(1, 8)),
                  cls("日语(0020)", "林一", "外语楼305", weeks(9, 16))},
                 {}},
        CellCase{
            "NothingBetweenClassicForm",
            "高等数学\n周一第1,2节{第1-8周}\n张三\nA101\n线性代数\n周三第3,4节{第9-16周}\n李四\n"
            "B202",
            {cls("高等数学", "张三", "A101", weeks(1, 8), kFirstTwo, 0),
             cls("线性代数", "李四", "B202", weeks(9, 16), SmallPeriods{3, 4}, 2)},
            {}},
        // Lines missing: what the first class shows decides.
        CellCase{"RoomMissingBetweenClassesWithTeachers",
                 "高等数学\n张三\n1-8周\n线性代数\n李四\n10-16周\nB202",
                 {cls("高等数学", "张三", "", weeks(1, 8)),
                  cls("线性代数", "李四", "B202", weeks(10, 16))},
                 {}},
        CellCase{"NoTeachersAnywhere",
                 "体育\n1-16周\n操场\n游泳\n1-8周\n游泳馆",
                 {cls("体育", "", "操场", weeks(1, 16)), cls("游泳", "", "游泳馆", weeks(1, 8))},
                 {}},
        CellCase{"SecondWeeksLineOfTheSameCourse",
                 "高等数学\n张三\n1-8周[1-2节]A101\n9-16周[3-4节]B202",
                 {cls("高等数学", "张三", "A101", weeks(1, 8), kFirstTwo),
                  cls("高等数学", "张三", "B202", weeks(9, 16), SmallPeriods{3, 4})},
                 {}},
        CellCase{"TwoTeachersOneCourse",
                 "大学物理\n李四[1-8]周教2-301\n王五[9-16]周教3-101",
                 {cls("大学物理", "李四", "教2-301", weeks(1, 8)),
                  cls("大学物理", "王五", "教3-101", weeks(9, 16))},
                 {}},
        CellCase{"OtherRulesBetweenClasses",
                 "体育\n[1-8]周 操场\n=====\n游泳\n[9-16]周 游泳馆\n************\n武术\n[1-16]周 "
                 "体育馆\n———\n舞蹈\n[1-4]周 舞蹈房",
                 {cls("体育", "", "操场", weeks(1, 8)), cls("游泳", "", "游泳馆", weeks(9, 16)),
                  cls("武术", "", "体育馆", weeks(1, 16)), cls("舞蹈", "", "舞蹈房", weeks(1, 4))},
                 {}},
        // Periods and hours on lines of their own.
        CellCase{"PeriodsLineAfterTheWeeks",
                 "高等数学\n张三\n1-16周\n第1-2节\nA101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {}},
        CellCase{"PeriodsLineBeforeTheClass",
                 "3-4节\n高等数学\n张三\n1-16周\nA101\n\n第一大节\n线性代数\n李四\n2-9周\nB202",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), SmallPeriods{3, 4}),
                  cls("线性代数", "李四", "B202", weeks(2, 9), kFirstTwo)},
                 {}},
        CellCase{"PeriodsLineEachForItsClass",
                 "高等数学\n张三\n1-8周\n第1-2节\nA101\n线性代数\n李四\n9-16周\n第3-4节\nB202",
                 {cls("高等数学", "张三", "A101", weeks(1, 8), kFirstTwo),
                  cls("线性代数", "李四", "B202", weeks(9, 16), SmallPeriods{3, 4})},
                 {}},
        CellCase{"PeriodsLineBesidePeriodsOfTheWeeksLine",
                 "高等数学\n张三\n1-16周[1-2节]A101\n第3-4节",
                 {cls("高等数学", "张三", "A101", weeks(1, 16), kFirstTwo)},
                 {"第3-4节"}},
        CellCase{"PeriodsLineWithoutAClass", "第1-2节\n讲座", {}, {"第1-2节", "讲座"}},
        CellCase{"HoursAreDropped",
                 "高等数学\n08:00-09:40\n张三\n1-16周\nA101\n10：00 ～ 11：40",
                 {cls("高等数学", "张三", "A101", weeks(1, 16))},
                 {}},
        CellCase{"NoHoursButLookalikes",
                 "高等数学\n张三\n1-16周\n8:000\n108:00\n8:00-",
                 {cls("高等数学", "张三", "8:000", weeks(1, 16))},
                 {"108:00", "8:00-"}},
        // Extras, titles, several teachers, blanks.
        CellCase{"ExtrasAreDropped",
                 "\n\n高等数学\n选课人数(121)\n张三\n1-16周\nA101\n学分:3\n学时：48\n\n",
                 {cls("高等数学", "张三", "A101", weeks(1, 16))},
                 {}},
        CellCase{"TitleAndSeveralTeachers",
                 "软件工程\n刘珊(副教授)\n1-16周\nA101\n\n毕业设计\n贾瑜,李欣蕾\n1-16周\n实验室",
                 {cls("软件工程", "刘珊(副教授)", "A101", weeks(1, 16)),
                  cls("毕业设计", "贾瑜,李欣蕾", "实验室", weeks(1, 16))},
                 {}},
        CellCase{"TitleOnTheOneLineForm",
                 "编译原理\n刘珊(副教授)[1-16]周A101",
                 {cls("编译原理", "刘珊(副教授)", "A101", weeks(1, 16))},
                 {}},
        CellCase{"TrimmedOfBlanksAndIdeographicSpace",
                 "\u3000高等数学 A \u3000\r\n  张三\r\n1-16周\r\n\tA 101\u3000",
                 {cls("高等数学 A", "张三", "A 101", weeks(1, 16))},
                 {}},
        // Literal break tags as line separators.
        CellCase{"BreakTags",
                 "高等数学<br>张三<br/>1-8周<BR />A101<br><br>线性代数</br>李四<br>10-16周<br>B202",
                 {cls("高等数学", "张三", "A101", weeks(1, 8)),
                  cls("线性代数", "李四", "B202", weeks(10, 16))},
                 {}},
        CellCase{"LessThanThatIsNoTag",
                 "C<b语言\n张三\n1-16周\nA<101",
                 {cls("C<b语言", "张三", "A<101", weeks(1, 16))},
                 {}},
        // Lines no class takes.
        CellCase{"WeeksUnreadable",
                 "高等数学\n张三\n1-16周X\nA101",
                 {},
                 {"高等数学", "张三", "1-16周X", "A101"}},
        CellCase{"LineAfterTheRoom",
                 "高等数学\n张三\n1-16周\nA101\n调课见通知",
                 {cls("高等数学", "张三", "A101", weeks(1, 16))},
                 {"调课见通知"}},
        CellCase{"BlockWithoutWeeks",
                 "讲座安排\n另行通知\n\n高等数学\n张三\n1-16周\nA101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16))},
                 {"讲座安排", "另行通知"}},
        CellCase{"SurplusLinesBeforeTheCourse",
                 "注意\n高等数学\n张三\n1-16周\nA101",
                 {cls("高等数学", "张三", "A101", weeks(1, 16))},
                 {"注意"}},
        CellCase{"WeeksWithoutCourse", "1-16周\nA101", {}, {"1-16周", "A101"}},
        CellCase{"WeeksPastTheLastWeek",
                 "高等数学\n张三\n1-100周\nA101",
                 {},
                 {"高等数学", "张三", "1-100周", "A101"}}));

// ---- Round trip: classes written in every form and separator read back exactly. ----------

struct Written {
    std::string text;
    std::vector<CellClass> classes;
};

std::string weekText(const WeekSet& set) {
    std::string text;
    for (int week = 1; week <= kMaxWeek; ++week) {
        if (!set.test(static_cast<std::size_t>(week)) ||
            set.test(static_cast<std::size_t>(week - 1))) {
            continue;
        }
        int last = week;
        while (last < kMaxWeek && set.test(static_cast<std::size_t>(last + 1))) {
            ++last;
        }
        text += (text.empty() ? "" : ",") + std::to_string(week) +
                (last > week ? "-" + std::to_string(last) : "");
    }
    return text;
}

Written writeCell(std::mt19937& random) {
    const std::vector<std::string> courses = {"高等数学A",      "大学物理(上)", "线性代数",
                                              "Python程序设计", "形势与政策",   "体育(2)"};
    const std::vector<std::string> teachers = {"张三", "刘珊(副教授)", "贾瑜,李欣蕾", "Smith J."};
    const std::vector<std::string> rooms = {"A101", "教2-301", "外语楼201", "校外", "体育馆 东区"};
    const std::vector<std::string> breaks = {"\n", "\r\n", "<br>", "<br/>", "</br>"};
    const std::vector<std::string> separators = {"", "\n", "\n-----\n", "\n——\n"};
    const auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    const auto number = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const std::string lineBreak = pick(breaks);
    const int form = number(0, 5);
    Written written;
    const int count = number(1, 4);
    for (int c = 0; c < count; ++c) {
        WeekSet set;
        for (int ranges = number(1, 3); ranges > 0; --ranges) {
            const int first = number(1, 30);
            set |= weeks(first, first + number(0, 8));
        }
        const std::string w = weekText(set);
        const int firstPeriod = number(1, 11);
        const SmallPeriods periods{firstPeriod, firstPeriod + 1};
        const std::string p = std::to_string(periods.first) + "-" + std::to_string(periods.last);
        CellClass cellClass{pick(courses), pick(teachers), pick(rooms), set, std::nullopt};
        std::vector<std::string> lines;
        switch (form) {
        case 0:
            lines = {cellClass.course, cellClass.teacher, w + "周", cellClass.room};
            break;
        case 1:
            lines = {cellClass.course, cellClass.teacher, w + "周[" + p + "节]" + cellClass.room};
            cellClass.periods = periods;
            break;
        case 2:
            lines = {cellClass.course, cellClass.teacher + "[" + w + "]周" + cellClass.room};
            break;
        case 3:
            cellClass.course += "(00" + std::to_string(number(10, 99)) + ")";
            lines = {cellClass.course + " (" + cellClass.teacher + ")",
                     "(" + w + "," + cellClass.room + ")"};
            break;
        case 4:
            lines = {cellClass.course, cellClass.teacher, w + "周 " + cellClass.room};
            break;
        default:
            lines = {cellClass.course, "周二第" + p + "节{第" + w + "周}", cellClass.teacher,
                     cellClass.room};
            cellClass.periods = periods;
            cellClass.weekday = 1; // Tuesday
            break;
        }
        if (c > 0) {
            written.text += lineBreak;
            const std::string separator = pick(separators);
            for (const char ch : separator) {
                written.text += ch == '\n' ? lineBreak : std::string(1, ch);
            }
        }
        for (std::size_t l = 0; l < lines.size(); ++l) {
            written.text += (l > 0 ? lineBreak : "") + lines[l];
        }
        written.classes.push_back(cellClass);
    }
    return written;
}

TEST(ReadClassCellRoundTrip, RandomCellsInEveryForm) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 2000; ++trial) {
        const Written written = writeCell(random);
        const CellReading reading = readClassCell(written.text);
        ASSERT_EQ(reading.classes, written.classes) << written.text;
        ASSERT_TRUE(reading.unread.empty()) << written.text;
    }
}

// Texts of random pieces of the notations: whatever a cell holds, every class has a course and
// weeks, and every unread text is one whole trimmed line of the cell.
TEST(ReadClassCellProperty, RandomTextsKeepTheInvariants) {
    const std::vector<std::string> pieces = {
        "1",      "16",   "-",    ",",           "，",     "周",       "第",    "单",    "双",
        "[",      "]",    "(",    ")",           "{",      "}",        "|",     "节",    " ",
        "\u3000", "\n",   "\n",   "\n",          "\r\n",   "<br>",     "</br>", "-----", "周一",
        "高数",   "张三", "A101", "选课人数(9)", "学分:2", "(副教授)", "99",    "0",     "100"};
    std::mt19937 random(8);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int trial = 0; trial < 5000; ++trial) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 40)(random); n > 0; --n) {
            text += pieces[pick(random)];
        }
        const CellReading reading = readClassCell(text);
        for (const CellClass& c : reading.classes) {
            EXPECT_FALSE(c.course.empty()) << text;
            EXPECT_TRUE(c.weeks.any()) << text;
            EXPECT_FALSE(c.weeks.test(0)) << text;
        }
        std::string lines = "\n" + text + "\n";
        for (const std::string_view tag : {"\r", "<br>", "</br>"}) {
            for (std::size_t at = lines.find(tag); at != std::string::npos; at = lines.find(tag)) {
                lines.replace(at, tag.size(), "\n");
            }
        }
        for (const std::string& line : reading.unread) {
            EXPECT_FALSE(line.empty()) << text;
            EXPECT_NE(line.front(), ' ') << text;
            EXPECT_NE(lines.find(line), std::string::npos) << text << " / " << line;
        }
    }
}

// ---- Size: a cell of 100,000 characters takes milliseconds, whatever it holds. ------------

class LargeCell : public testing::TestWithParam<std::string> {};

TEST_P(LargeCell, IsReadInLinearTime) {
    std::string text;
    while (text.size() < 100'000) {
        text += GetParam();
    }
    const auto start = std::chrono::steady_clock::now();
    const CellReading reading = readClassCell(text);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Generous for a debug build under sanitizers on a shared machine; a quadratic reading
    // takes minutes here.
    EXPECT_LT(elapsed, std::chrono::seconds(2)) << reading.classes.size();
}

INSTANTIATE_TEST_SUITE_P(Shapes, LargeCell,
                         testing::Values("高等数学\n张三\n1-16周\nA101\n", "李四[1-16]周A432，",
                                         "[1]周", "1-16周[1-2节]", "[", "]", "[1-2节]", "(1,", "1,",
                                         "单", "-", "<br", "<b",
                                         "大学英语(0012) (王芳)\n(1-8,10-16,A101)\n",
                                         "周一第1,2节{第1-16周}\n", "周一第1,2节{", "x", "\u3000",
                                         "((((", "))))"));

TEST(LargeCell, OneHugeBracketedLine) {
    std::string text = "(";
    while (text.size() < 100'000) {
        text += "1,";
    }
    text += "A101)";
    const auto start = std::chrono::steady_clock::now();
    const CellReading reading = readClassCell("课程 (教师)\n" + text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(reading.classes.size(), 1u);
    EXPECT_EQ(reading.classes[0].weeks, weeks(1, 1));
    EXPECT_EQ(reading.classes[0].room, "A101");
    EXPECT_EQ(reading.classes[0].teacher, "教师");
}

} // namespace
} // namespace orvanto::imports
