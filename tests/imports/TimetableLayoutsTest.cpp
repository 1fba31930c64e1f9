#include "imports/layouts/TimetableLayouts.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace orvanto;
using namespace orvanto::imports;

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Span {
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

// A table from its rows of texts ("" for no cell); spans merge the cells they name.
SourceTable tableOf(std::string name, const Rows& rows, const std::vector<Span>& spans = {}) {
    std::vector<SourceCell> cells;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            const std::string& text = rows[r][c];
            const auto span = std::ranges::find_if(
                spans, [&](const Span& s) { return s.row == r && s.column == c; });
            if (text.empty() && span == spans.end()) {
                continue;
            }
            SourceCell cell{r, c, 1, 1, text};
            if (span != spans.end()) {
                cell.rowSpan = span->rowSpan;
                cell.columnSpan = span->columnSpan;
            }
            cells.push_back(std::move(cell));
        }
    }
    return {std::move(name), std::move(cells)};
}

WeekSet weeks(int first, int last) {
    WeekSet set;
    for (int week = first; week <= last; ++week) {
        set.set(static_cast<std::size_t>(week));
    }
    return set;
}

std::string classText(const std::string& course, const std::string& teacher = "张三",
                      const std::string& weekText = "1-16周", const std::string& room = "A101") {
    return course + "\n" + teacher + "\n" + weekText + "\n" + room;
}

ImportResult readOk(const std::vector<SourceTable>& tables) {
    const auto result = readTimetables(tables);
    EXPECT_TRUE(result.ok()) << result.failure().detail;
    return result.ok() ? result.value() : ImportResult{};
}

struct Placed {
    std::string course;
    int weekday; // -1 where the class has none
    SmallPeriods periods;
    std::string cell;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& placed) {
    return out << placed.course << " day " << placed.weekday << " periods " << placed.periods.first
               << "-" << placed.periods.last << " at " << placed.cell;
}

std::vector<Placed> placed(const ImportResult& result) {
    std::vector<Placed> out;
    for (const ImportedClass& entry : result.classes) {
        out.push_back({entry.course, entry.weekday.value_or(-1), entry.periods, entry.cell});
    }
    return out;
}

const std::vector<std::string> kMondayFirst{"星期一", "星期二", "星期三", "星期四",
                                            "星期五", "星期六", "星期日"};

// A Monday-first grid with six 大节 rows, the class texts at (row, column 1..7).
Rows emptyGrid(const std::vector<std::string>& header = kMondayFirst) {
    Rows rows{{"节次"}};
    for (const std::string& name : header) {
        rows[0].push_back(name);
    }
    for (const char* label : {"第一大节", "第二大节", "第三大节", "第四大节", "第五大节"}) {
        rows.push_back({label, "", "", "", "", "", "", ""});
    }
    return rows;
}

// --- Grid headers ---------------------------------------------------------------------------

class GridHeader : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(GridHeader, EveryColumnTakesTheWeekdayItsHeaderNames) {
    Rows rows = emptyGrid(GetParam());
    for (int day = 1; day <= 7; ++day) {
        rows[static_cast<std::size_t>(day % 5 + 1)][static_cast<std::size_t>(day)] =
            classText("课" + std::to_string(day));
    }
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    ASSERT_EQ(result.classes.size(), 7U);
    for (const ImportedClass& entry : result.classes) {
        const int day = entry.course.back() - '0';
        EXPECT_EQ(entry.weekday, day - 1) << entry.course;
        const int bigPeriod = day % 5 + 1;
        EXPECT_EQ(entry.periods, (SmallPeriods{2 * bigPeriod - 1, 2 * bigPeriod})) << entry.course;
        EXPECT_EQ(entry.weeks, weeks(1, 16));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, GridHeader,
    ::testing::Values(
        kMondayFirst,
        std::vector<std::string>{"星期一", "星期二", "星期三", "星期四", "星期五", "星期六",
                                 "星期天"},
        std::vector<std::string>{"周一", "周二", "周三", "周四", "周五", "周六", "周日"},
        std::vector<std::string>{"一", "二", "三", "四", "五", "六", "日"},
        std::vector<std::string>{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                                 "Sunday"},
        std::vector<std::string>{"星期一\n09-01", "星期二\n9/2", "星期三\n9月3日",
                                 "星期四\n(2026.09.04)", "星期五\n09-05", "星期六\n09-06",
                                 "星期日\n09-07"},
        std::vector<std::string>{"星期一\nMonday", "星期二\nTuesday", "星期三\nWednesday",
                                 "星期四\nThursday", "星期五\nFriday", "Saturday\n星期六",
                                 "星期日\nSunday\n09-07"},
        std::vector<std::string>{"星期一  ", "星期二\u3000", " 星期三", "星期四\u3000\u3000",
                                 "星期五 ", "星期六", "星期日 "}));

TEST(GridLayout, SundayFirstColumnsKeepTheirWeekdays) {
    Rows rows = emptyGrid({"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"});
    rows[1][1] = classText("周日课");
    rows[1][2] = classText("周一课");
    rows[2][7] = classText("周六课");
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"周日课", 6, {1, 2}, "B2"},
                                                   {"周一课", 0, {1, 2}, "C2"},
                                                   {"周六课", 5, {3, 4}, "H3"}}));
}

// Whatever order the weekdays stand in, a class takes its column's header, never its position.
TEST(GridLayout, WeekdayFollowsTheHeaderForShuffledColumns) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 50; ++round) {
        std::vector<int> order{1, 2, 3, 4, 5, 6, 7};
        std::ranges::shuffle(order, random);
        std::vector<std::string> header;
        for (const int day : order) {
            header.push_back(kMondayFirst[static_cast<std::size_t>(day - 1)]);
        }
        Rows rows = emptyGrid(header);
        for (std::size_t column = 1; column <= 7; ++column) {
            rows[random() % 5 + 1][column] = classText(header[column - 1]);
        }
        const ImportResult result = readOk({tableOf("Sheet1", rows)});
        ASSERT_EQ(result.classes.size(), 7U);
        for (const ImportedClass& entry : result.classes) {
            const auto day = std::ranges::find(kMondayFirst, entry.course) - kMondayFirst.begin();
            EXPECT_EQ(entry.weekday, day) << entry.course << " round " << round;
        }
    }
}

TEST(GridLayout, MergedHeaderCellNamesEveryColumnItCovers) {
    // Each weekday over two columns (the school splits a day into two halves).
    Rows rows{{"", "星期一", "", "星期二", "", "星期三", ""},
              {"第1-2节", classText("左"), classText("右"), "", "", "", classText("三")}};
    const ImportResult result =
        readOk({tableOf("Sheet1", rows, {{0, 1, 1, 2}, {0, 3, 1, 2}, {0, 5, 1, 2}})});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{
                  {"左", 0, {1, 2}, "B2"}, {"右", 0, {1, 2}, "C2"}, {"三", 2, {1, 2}, "G2"}}));
}

// --- Period labels --------------------------------------------------------------------------

struct LabelCase {
    std::vector<std::string> labels;
    std::vector<SmallPeriods> periods;
};

class PeriodLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(PeriodLabels, EachRowTakesItsLabelsPeriods) {
    Rows rows{{"", "星期一", "星期二", "星期三", "星期四", "星期五"}};
    for (const std::string& label : GetParam().labels) {
        rows.push_back({label, classText("课" + std::to_string(rows.size())), "", "", "", ""});
    }
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    std::vector<SmallPeriods> periods;
    for (const ImportedClass& entry : result.classes) {
        periods.push_back(entry.periods);
    }
    EXPECT_EQ(periods, GetParam().periods);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PeriodLabels,
    ::testing::Values(
        LabelCase{{"第一大节", "第二大节", "第三大节", "第四大节", "第五大节", "第六大节"},
                  {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}},
        LabelCase{{"第1,2节", "第3,4节", "第5,6节", "第7,8节", "第9,10节"},
                  {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}}},
        LabelCase{{"第1-2节", "第3-4节", "第5-6节", "第7-8节", "第9-11节"},
                  {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 11}}},
        LabelCase{{"第一二节", "第三四节", "第五六节", "第七八节", "第九十节", "第十一、十二节"},
                  {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}},
        LabelCase{{"1-2", "3-4", "5-6", "7-8", "9-10"}, {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}}},
        // Single periods, and a school whose evening goes on counting from 9.
        LabelCase{{"第1节", "第2节", "第3节", "第9节"}, {{1, 1}, {2, 2}, {3, 3}, {9, 9}}},
        LabelCase{{"1", "2", "3", "4", "5"}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        // One period a line, with or without the hours.
        LabelCase{{"1\n2", "3\n4", "第5节\n第6节", "第一大节\n(01,02小节)\n08:00-09:35"},
                  {{1, 2}, {3, 4}, {5, 6}, {7, 8}}},
        LabelCase{{"第1节\n08:00-08:45", "第2节\n08:55-09:40", "1-2节\n10:00-11:40"},
                  {{1, 1}, {2, 2}, {3, 4}}}));

// 上午 1-4, 下午 1-4, 晚上 1-3 are periods 1-4, 5-8 and 9-11.
TEST(GridLayout, PeriodsCountedAgainUnderAfternoonAndEveningContinue) {
    Rows rows{{"", "", "星期一", "星期二", "星期三"}};
    const std::vector<std::pair<const char*, int>> sections{{"上午", 4}, {"下午", 4}, {"晚上", 3}};
    std::vector<Span> spans;
    for (const auto& [section, count] : sections) {
        spans.push_back({static_cast<int>(rows.size()), 0, count, 1});
        for (int period = 1; period <= count; ++period) {
            rows.push_back({period == 1 ? section : "", std::to_string(period), "", "", ""});
        }
    }
    rows[1][2] = classText("早课"); // 上午 1
    rows[5][3] = classText("午后"); // 下午 1
    rows[7][4] = classText("连堂"); // 下午 3-4, merged
    spans.push_back({7, 4, 2, 1});
    rows[9][2] = classText("晚课"); // 晚上 1-2, merged
    spans.push_back({9, 2, 2, 1});
    rows[11][3] = classText("末节"); // 晚上 3
    const ImportResult result = readOk({tableOf("Sheet1", rows, spans)});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"早课", 0, {1, 1}, "C2"},
                                                   {"午后", 1, {5, 5}, "D6"},
                                                   {"连堂", 2, {7, 8}, "E8"},
                                                   {"晚课", 0, {9, 10}, "C10"},
                                                   {"末节", 1, {11, 11}, "D12"}}));
}

// Single periods with clock times; a class merged over rows takes the periods of every row.
TEST(GridLayout, MergedClassCellTakesThePeriodsOfEveryRowItSpans) {
    Rows rows{{"时间", "星期一", "星期二", "星期三", "星期四", "星期五"}};
    const char* times[] = {"08:00-08:45", "08:55-09:40", "10:00-10:45",
                           "10:55-11:40", "14:00-14:45", "14:55-15:40"};
    for (int period = 1; period <= 6; ++period) {
        rows.push_back(
            {"第" + std::to_string(period) + "节\n" + times[period - 1], "", "", "", "", ""});
    }
    rows[1][1] = classText("三节连上");
    rows[3][2] = classText("物理实验");
    rows[6][5] = classText("化学");
    const ImportResult result = readOk({tableOf("Sheet1", rows, {{1, 1, 3, 1}, {3, 2, 2, 1}})});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"三节连上", 0, {1, 3}, "B2"},
                                                   {"物理实验", 1, {3, 4}, "C4"},
                                                   {"化学", 4, {6, 6}, "F7"}}));
}

// Rows labelled only by their clock ranges count the periods in order, each row as many as
// its length holds; a range repeated on the next row is the same period.
TEST(GridLayout, ClockRangesAloneCountThePeriodsByLength) {
    Rows rows{
        {"时间", "星期一", "星期二", "星期三"},     {"08:00-09:40", classText("高数"), "", ""},
        {"10:00-10:45", "", classText("英语"), ""}, {"10:00-10:45", "", "", classText("物理")},
        {"10:55-11:40", classText("化学"), "", ""}, {"14:00-16:25", "", classText("体育"), ""},
        {"19:00-20:40", "", "", classText("晚课")}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"高数", 0, {1, 2}, "B2"},
                                                   {"英语", 1, {3, 3}, "C3"},
                                                   {"物理", 2, {3, 3}, "D4"},
                                                   {"化学", 0, {4, 4}, "B5"},
                                                   {"体育", 1, {5, 7}, "C6"},
                                                   {"晚课", 2, {8, 9}, "D7"}}));
}

// Labels that number the periods win over a column of clock ranges beside them.
TEST(GridLayout, NumberedLabelsWinOverClockRanges) {
    Rows rows{{"", "时间", "星期一", "星期二", "星期三"},
              {"第3,4节", "10:00-11:40", classText("高数"), "", ""},
              {"第5,6节", "14:00-15:40", "", classText("英语"), ""}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"高数", 0, {3, 4}, "C2"}, {"英语", 1, {5, 6}, "D3"}}));
}

// A label merged over two rows names the same periods for both: a class in either row gets
// them, and the rows are not counted twice.
TEST(GridLayout, LabelMergedOverTwoRowsCoversBoth) {
    Rows rows{{"", "星期一", "星期二", "星期三"},
              {"第一大节", classText("上"), ""},
              {"", "", classText("下")},
              {"第二大节", classText("后"), ""},
              {"", "", ""}};
    const ImportResult result = readOk({tableOf("Sheet1", rows, {{1, 0, 2, 1}, {3, 0, 2, 1}})});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{
                  {"上", 0, {1, 2}, "B2"}, {"下", 1, {1, 2}, "C3"}, {"后", 0, {3, 4}, "B4"}}));
}

TEST(GridLayout, PeriodsTheCellNamesWinOverItsRow) {
    Rows rows = emptyGrid();
    rows[1][1] = "高等数学\n张三\n1-16[3-4节]A101";
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    ASSERT_EQ(result.classes.size(), 1U);
    EXPECT_EQ(result.classes[0].periods, (SmallPeriods{3, 4}));
    EXPECT_EQ(result.classes[0].room, "A101");
}

// Rows named by the half of the day only: the cells name their periods, or are not understood.
TEST(GridLayout, WithoutPeriodLabelsTheCellsNameTheirPeriods) {
    Rows rows{{"", "星期一", "星期二", "星期三"},
              {"上午", "高等数学\n张三\n1-16[3-4节]A101", "", ""},
              {"下午", "", "大学英语\n李四\n1-8[5-6节]B202", classText("体育")},
              {"备注：体育课在操场集合"}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"高等数学", 0, {3, 4}, "B2"}, {"大学英语", 1, {5, 6}, "C3"}}));
    ASSERT_EQ(result.unread.size(), 1U);
    EXPECT_EQ(result.unread[0].cell, "D3");
    EXPECT_EQ(result.cells, 3U);
}

// --- The area: what is read, what is listed as not understood, what is ignored -------------

TEST(GridLayout, TitleAndNotesOutsideTheAreaAreIgnored) {
    Rows rows{{"2026-2027学年第一学期 张三同学课表"}};
    for (auto& row : emptyGrid()) {
        rows.push_back(row);
    }
    rows[2][1] = classText("高等数学");
    rows.push_back({"备注", "实践课：军事训练 1-3周"});
    rows.push_back({"打印时间：2026-09-01"});
    const ImportResult result = readOk({tableOf("课表", rows, {{0, 0, 1, 8}, {7, 1, 1, 7}})});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"高等数学", 0, {1, 2}, "B3"}}));
    EXPECT_TRUE(result.unread.empty());
    EXPECT_EQ(result.cells, 1U);
}

// A row inside the area with no period label (a lunch row) cannot place what stands in it.
TEST(GridLayout, TextBesideNoPeriodLabelIsNotUnderstood) {
    Rows rows{{"", "星期一", "星期二", "星期三"},
              {"第1,2节", classText("高数"), ""},
              {"午休", "", "  社团活动\n"},
              {"第3,4节", "", classText("英语")}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"高数", 0, {1, 2}, "B2"}, {"英语", 1, {3, 4}, "C4"}}));
    EXPECT_EQ(result.unread, (std::vector<UnreadText>{{"Sheet1", "C3", "社团活动"}}));
    EXPECT_EQ(result.cells, 3U);
}

TEST(GridLayout, ClassesComeInRowThenColumnOrderWhateverOrderTheCellsCame) {
    Rows rows = emptyGrid();
    rows[1][3] = classText("C");
    rows[1][1] = classText("A") + "\n\n" + classText("B", "李四", "1-8周", "B202");
    rows[2][2] = classText("D");
    SourceTable ordered = tableOf("Sheet1", rows);
    std::vector<SourceCell> reversed(ordered.cells().rbegin(), ordered.cells().rend());
    const ImportResult result = readOk({SourceTable("Sheet1", reversed)});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"A", 0, {1, 2}, "B2"},
                                                   {"B", 0, {1, 2}, "B2"},
                                                   {"C", 2, {1, 2}, "D2"},
                                                   {"D", 1, {3, 4}, "C3"}}));
    EXPECT_EQ(result.classes[1].teacher, "李四");
    EXPECT_EQ(result.classes[1].weeks, weeks(1, 8));
    EXPECT_EQ(result.cells, 3U);
}

TEST(GridLayout, TwoGridsInOneTableAreBothRead) {
    Rows rows = emptyGrid();
    rows[1][1] = classText("上表");
    Rows second = emptyGrid();
    second[3][7] = classText("下表");
    rows.push_back({});
    rows.insert(rows.end(), second.begin(), second.end());
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"上表", 0, {1, 2}, "B2"}, {"下表", 6, {5, 6}, "H11"}}));
}

// A list row may name a weekday or two (星期 and a note); it starts no grid of its own.
TEST(GridLayout, RowWithFewerThanThreeWeekdaysIsNoHeader) {
    Rows rows{{"课程", "教师", "周次", "星期", "节次", "备注"},
              {"高等数学", "张三", "1-16周", "星期一", "1-2节", "星期三调至晚上"},
              {"第1-2节", "星期二", "星期四", "", "", ""}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result), (std::vector<Placed>{{"高等数学", 0, {1, 2}, "A2"}}));
}

// --- List layout ----------------------------------------------------------------------------

struct ListValues {
    std::string weekday;
    std::string periods;
    std::string weekText;
    int expectedWeekday;
    SmallPeriods expectedPeriods;
};

class ListRow : public ::testing::TestWithParam<ListValues> {};

TEST_P(ListRow, ValuesAsExportsWriteThem) {
    const ListValues& values = GetParam();
    Rows rows{
        {"序号", "课程名称", "学分", "任课教师", "上课周次", "上课星期", "上课节次", "上课地点"},
        {"1", "高等数学", "4", "张三", values.weekText, values.weekday, values.periods, "A101"}};
    const ImportResult result = readOk({tableOf("课程列表", rows)});
    ASSERT_EQ(result.classes.size(), 1U);
    const ImportedClass& entry = result.classes[0];
    EXPECT_EQ(entry.course, "高等数学");
    EXPECT_EQ(entry.teacher, "张三");
    EXPECT_EQ(entry.room, "A101");
    EXPECT_EQ(entry.weekday, values.expectedWeekday);
    EXPECT_EQ(entry.periods, values.expectedPeriods);
    EXPECT_EQ(entry.weeks, weeks(1, 16));
    EXPECT_EQ(entry.sheet, "课程列表");
    EXPECT_EQ(entry.cell, "B2");
    EXPECT_TRUE(result.unread.empty());
    EXPECT_EQ(result.cells, 8U);
}

INSTANTIATE_TEST_SUITE_P(Values, ListRow,
                         ::testing::Values(ListValues{"星期一", "1-2节", "1-16周", 0, {1, 2}},
                                           ListValues{"一", "第1-2节", "1-16", 0, {1, 2}},
                                           ListValues{"3", "一二节", "第1-16周", 2, {1, 2}},
                                           ListValues{"星期日", "1,2", "1-16周", 6, {1, 2}},
                                           ListValues{"7", "9-11节", "1-16周", 6, {9, 11}},
                                           ListValues{"周五", "第3-4节", "1-16周", 4, {3, 4}}));

TEST(ListLayout, RowThatCannotBePlacedIsOneTextNotUnderstood) {
    Rows rows{{"课程", "教师", "周次", "星期", "节次", "教室"},
              {"高等数学", "张三", "1-16周", "一", "1-2节", "A101"},
              {"毕业实习", "李四", "1-16周", "待定", "", ""},
              {"大学英语", "王五", "1-8周", "二", "3-4节", "B202"}};
    const auto result = readTimetables(std::vector{tableOf("Sheet1", rows)});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(placed(*result),
              (std::vector<Placed>{{"高等数学", 0, {1, 2}, "A2"}, {"大学英语", 1, {3, 4}, "A4"}}));
    EXPECT_EQ(result->unread,
              (std::vector<UnreadText>{{"Sheet1", "A3", "毕业实习 李四 1-16周 待定"}}));
    EXPECT_EQ(result->cells, 16U);
}

TEST(ListLayout, MergedCourseCellGivesItsNameToEveryRow) {
    Rows rows{{"课程", "教师", "周次", "星期", "节次", "地点"},
              {"高等数学", "张三", "1-16周", "一", "1-2节", "A101"},
              {"", "张三", "1-16周", "三", "3-4节", "A102"}};
    const ImportResult result = readOk({tableOf("Sheet1", rows, {{1, 0, 2, 1}})});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"高等数学", 0, {1, 2}, "A2"}, {"高等数学", 2, {3, 4}, "A2"}}));
    EXPECT_EQ(result.classes[1].room, "A102");
}

// A long list printed over pages has empty rows between them; a note under the list is no
// class and no text of the timetable.
TEST(ListLayout, ListGoesOnPastEmptyRowsUntilANote) {
    Rows rows{{"课程", "教师", "周次", "星期", "节次", "地点"},
              {"高等数学", "张三", "1-16周", "一", "1-2节", "A101"},
              {},
              {},
              {"大学英语", "李四", "1-8周", "二", "3-4节", "B202"},
              {},
              {"说明：以上课表仅供参考"}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    EXPECT_EQ(placed(result),
              (std::vector<Placed>{{"高等数学", 0, {1, 2}, "A2"}, {"大学英语", 1, {3, 4}, "A5"}}));
    EXPECT_TRUE(result.unread.empty());
}

struct DetailCase {
    std::string detail;
    std::string room;
    std::string teacher;
    WeekSet weeks;
};

class ListDetailCell : public ::testing::TestWithParam<DetailCase> {};

TEST_P(ListDetailCell, PairsInAnyOrderWithEitherColon) {
    Rows rows{{"课程名称", "星期", "节次", "上课信息"},
              {"线性代数", "星期二", "第3-4节", GetParam().detail}};
    const ImportResult result = readOk({tableOf("Sheet1", rows)});
    ASSERT_EQ(result.classes.size(), 1U);
    const ImportedClass& entry = result.classes[0];
    EXPECT_EQ(entry.course, "线性代数");
    EXPECT_EQ(entry.weekday, 1);
    EXPECT_EQ(entry.periods, (SmallPeriods{3, 4}));
    EXPECT_EQ(entry.room, GetParam().room);
    EXPECT_EQ(entry.teacher, GetParam().teacher);
    EXPECT_EQ(entry.weeks, GetParam().weeks);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ListDetailCell,
    ::testing::Values(
        DetailCase{"周数: 1-16周 校区: 本部 地点: A101 教师: 张三", "A101", "张三", weeks(1, 16)},
        DetailCase{"周数：1-8周　校区：南校区　地点：教学楼B-202　教师：李四(副教授)",
                   "教学楼B-202", "李四(副教授)", weeks(1, 8)},
        DetailCase{"教师: 贾瑜,李欣蕾\n地点: 实验楼301\n周数: 9-16周", "实验楼301", "贾瑜,李欣蕾",
                   weeks(9, 16)},
        DetailCase{"周数:1-16周;校区:本部;上课地点:A101;教师:王五", "A101", "王五", weeks(1, 16)}));

// --- Several tables, and none holding a timetable ---------------------------------------------

SourceTable studentSheet() {
    return tableOf("学生信息", {{"学号", "姓名", "班级", "学院"},
                                {"2026001", "张三", "计科2601", "计算机学院"},
                                {"2026002", "李四", "计科2601", "计算机学院"}});
}

TEST(TimetableLayouts, AnotherListBeforeTheTimetableDoesNotDisturb) {
    Rows grid = emptyGrid();
    grid[1][1] = classText("高等数学");
    Rows list{{"课程", "教师", "周次", "星期", "节次", "地点"},
              {"大学英语", "李四", "1-16周", "二", "3-4节", "B202"}};
    const ImportResult result =
        readOk({studentSheet(), tableOf("课表", grid), tableOf("列表", list)});
    ASSERT_EQ(result.classes.size(), 2U);
    EXPECT_EQ(result.classes[0].sheet, "课表");
    EXPECT_EQ(result.classes[1].sheet, "列表");
    EXPECT_EQ(result.cells, 7U);
}

struct NoTimetable {
    std::vector<SourceTable> tables;
    std::string reason;
};

class NoTimetableReason : public ::testing::TestWithParam<NoTimetable> {};

TEST_P(NoTimetableReason, FailsWithTheFurthestStepsReason) {
    const auto result = readTimetables(GetParam().tables);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().status, core::Status::NoTimetable);
    EXPECT_EQ(result.failure().detail, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NoTimetableReason,
    ::testing::Values(
        NoTimetable{{}, "no row or column of weekday names found"},
        NoTimetable{{studentSheet(), SourceTable()}, "no row or column of weekday names found"},
        NoTimetable{
            {tableOf("Sheet1", {{"星期一", "星期二", "星期三"}, {"高数", "", ""}}), studentSheet()},
            "no period labels found beside the weekday names"},
        NoTimetable{{studentSheet(), tableOf("Sheet1", emptyGrid())},
                    "the timetable holds no class"},
        NoTimetable{{tableOf("Sheet1", {{"", "星期一", "星期二", "星期三"},
                                        {"第1节", "", ""},
                                        {"午休", "自习", ""},
                                        {"第2节", "", ""}})},
                    "the timetable holds no class: its one text could not be read as a class"},
        NoTimetable{
            {tableOf("Sheet1", {{"课程", "星期", "节次"}, {"高数", "", ""}, {"英语", "八", ""}})},
            "the timetable holds no class: none of its 2 texts could be read as a class"}));

// --- Size and junk --------------------------------------------------------------------------

double secondsToRead(const std::vector<SourceTable>& tables) {
    const auto start = std::chrono::steady_clock::now();
    const auto result = readTimetables(tables);
    static_cast<void>(result);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every row a weekday header over 100,000 cells: each grid is read in its own rows only.
TEST(TimetableLayouts, TableOfHeaderRowsIsReadInLinearTime) {
    std::vector<SourceCell> cells;
    for (int row = 0; row < 12500; ++row) {
        cells.push_back({row, 0, 1, 1, "第" + std::to_string(row % 12 + 1) + "节"});
        for (int column = 1; column < 8; ++column) {
            cells.push_back(
                {row, column, 1, 1, kMondayFirst[static_cast<std::size_t>(column - 1)]});
        }
    }
    EXPECT_LT(secondsToRead({SourceTable("Sheet1", std::move(cells))}), 5.0);
}

TEST(TimetableLayouts, WideTableOfLabelsIsReadInLinearTime) {
    std::vector<SourceCell> cells;
    for (int column = 0; column < 10000; ++column) {
        cells.push_back({0, column, 1, 1, column < 9990 ? "" : "星期一"});
        for (int row = 1; row < 10; ++row) {
            cells.push_back({row, column, 1, 1, "第" + std::to_string(row) + "节"});
        }
    }
    cells.push_back({0, 9991, 1, 1, "星期二"});
    cells.push_back({0, 9992, 1, 1, "星期三"});
    EXPECT_LT(secondsToRead({SourceTable("Sheet1", std::move(cells))}), 5.0);
}

TEST(TimetableLayouts, CellOfAHundredThousandCharactersIsReadAndDoesNotCrash) {
    Rows rows = emptyGrid();
    rows[1][1] = std::string(100000, 'x');
    rows[2][2] = classText("高等数学");
    rows[0].push_back(std::string(100000, '\n'));
    std::string list = "周数:";
    while (list.size() < 100000) {
        list += "周数:地点:";
    }
    Rows listRows{{"课程", "星期", "节次", "信息"}, {"课", "一", "1-2节", list}};
    const auto result =
        readTimetables(std::vector{tableOf("Sheet1", rows), tableOf("Sheet2", listRows)});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->classes.back().course, "高等数学");
}

TEST(TimetableLayouts, JunkTablesNeverCrash) {
    std::mt19937 random(7);
    const std::vector<std::string> pieces{
        "星期一", "周三",   "日", "第1,2节", "1-2", "第一大节", "课程", "星期", "节次", "周数:",
        "1-16周", "\u3000", "\n", "高数",    "[",   "]",        "-",    "上午", "下午", "9"};
    for (int round = 0; round < 2000; ++round) {
        std::vector<SourceCell> cells;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            std::string text;
            for (unsigned n = random() % 4; n > 0; --n) {
                text += pieces[random() % pieces.size()];
            }
            cells.push_back({static_cast<int>(random() % 12), static_cast<int>(random() % 9),
                             static_cast<int>(random() % 8) - 1, static_cast<int>(random() % 4),
                             text});
        }
        const auto result = readTimetables(std::vector{SourceTable("Junk", std::move(cells))});
        if (result.ok()) {
            for (const ImportedClass& entry : result->classes) {
                ASSERT_TRUE(entry.weekday.has_value());
                EXPECT_GE(*entry.weekday, 0);
                EXPECT_LE(*entry.weekday, 6);
                EXPECT_GE(entry.periods.first, 1);
                EXPECT_LE(entry.periods.first, entry.periods.last);
            }
        } else {
            EXPECT_FALSE(result.failure().detail.empty());
        }
    }
}

} // namespace
