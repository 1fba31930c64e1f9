// Classes that meet in one slot in the same week: the grid still shows the upper block, and
// every one of them reaches the cell's others, its hover text, the calendar (each meeting once),
// the day's agenda and the check's findings. One table of overlapping blocks drives them all.
#include "calendar/Agenda.h"
#include "calendar/CalendarFile.h"
#include "calendar/TermClasses.h"
#include "service/Timetable.h"
#include "service/TimetableCheck.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using orvanto::calendar::ClassSeries;
using orvanto::core::Term;
using orvanto::service::Finding;
using orvanto::service::LoadedTimetable;
using orvanto::spreadsheet::CellValue;
using orvanto::spreadsheet::Workbook;
using orvanto::spreadsheet::WorkbookCells;

// The second big period runs from row 13 to row 33: four blocks, at rows 13, 18, 23 and 28.
constexpr orvanto::timetable::MarkerRows kMarkers = {3, 13, 33, 43, 53, 63};
constexpr std::size_t kMondaySecond = 7; // cell index of Monday's second big period

struct Block {
    std::string course;
    std::string weekRow;
    std::set<int> weeks; // the weeks it meets in, as the student reads the row
};

std::set<int> weeks(int first, int last, int step = 1) {
    std::set<int> out;
    for (int week = first; week <= last; week += step) {
        out.insert(week);
    }
    return out;
}

void put(WorkbookCells& cells, int row, const std::string& text) {
    CellValue& value = cells.grid[static_cast<std::size_t>(row - 1)][0]; // column C
    value.kind = CellValue::Kind::String;
    value.text = text;
}

// Each block's course, weeks, teacher ("T" + course) and room ("R" + course), top to bottom.
LoadedTimetable slotWith(const std::vector<Block>& blocks) {
    WorkbookCells cells;
    int row = kMarkers[1];
    for (const Block& block : blocks) {
        put(cells, row, block.course);
        put(cells, row + 1, block.weekRow);
        put(cells, row + 2, "T" + block.course);
        put(cells, row + 3, "R" + block.course);
        row += 5;
    }
    return {Workbook(std::move(cells)), kMarkers};
}

std::string hoverLine(const std::string& course) {
    return course + "   T" + course + "  R" + course;
}

struct ClashCase {
    const char* name;
    std::vector<Block> blocks;
    std::int16_t week;                 // a week to look at the cell in
    std::string shown;                 // the course its caption shows, as the upper block wins
    std::vector<std::string> others;   // the courses under it that meet too
    std::vector<std::string> findings; // every line the check gives
};

class Clash : public ::testing::TestWithParam<ClashCase> {};

TEST_P(Clash, EveryClassIsInTheCellTheCalendarAndTheCheck) {
    const ClashCase& c = GetParam();
    const LoadedTimetable loaded = slotWith(c.blocks);

    const auto grid = orvanto::service::composeWeek(loaded, c.week);
    ASSERT_FALSE(grid.failure);
    const auto& cell = grid.cells[kMondaySecond];
    EXPECT_EQ(cell.caption, c.shown + "\r\nT" + c.shown + "\r\nR" + c.shown);
    std::vector<std::string> others;
    std::string hover = hoverLine(c.shown);
    for (const auto& other : cell.others) {
        others.push_back(other.lines[0]);
        EXPECT_EQ(other.lines[1], "T" + other.lines[0]);
        EXPECT_EQ(other.lines[2], "R" + other.lines[0]);
        hover += "\n" + hoverLine(other.lines[0]);
        // The row names the block's first cell, as the check does.
        const auto block = static_cast<std::size_t>((other.row - kMarkers[1]) / 5);
        ASSERT_LT(block, c.blocks.size());
        EXPECT_EQ(c.blocks[block].course, other.lines[0]) << other.row;
    }
    EXPECT_EQ(others, c.others);
    EXPECT_EQ(cell.tooltip, hover);
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
        EXPECT_TRUE(i == kMondaySecond || grid.cells[i].others.empty()) << i;
    }

    // The calendar: every week each class meets in, once, whether or not the grid shows it.
    std::map<std::string, std::set<int>> expected;
    for (const Block& block : c.blocks) {
        expected[block.course].insert(block.weeks.begin(), block.weeks.end());
    }
    const Term term;
    const auto classes = orvanto::calendar::collectTermClasses(loaded, term);
    ASSERT_FALSE(classes.failure);
    const auto series = orvanto::calendar::groupIntoSeries(classes.meetings);
    std::map<std::string, std::multiset<int>> met;
    std::set<std::string> uids;
    for (const ClassSeries& one : series) {
        EXPECT_EQ(one.bigPeriod, 1);
        EXPECT_EQ(one.weekday, 0);
        for (int k = 0; k < one.count; ++k) {
            met[one.lines[0]].insert(one.firstWeek + k * one.interval);
        }
        EXPECT_TRUE(uids.insert(orvanto::calendar::eventUid(one, term)).second)
            << "two events share " << orvanto::calendar::eventUid(one, term);
    }
    std::map<std::string, std::set<int>> metOnce;
    for (const auto& [course, weeksMet] : met) {
        metOnce[course] = {weeksMet.begin(), weeksMet.end()};
        EXPECT_EQ(metOnce[course].size(), weeksMet.size()) << course << " meets twice in a week";
    }
    EXPECT_EQ(metOnce, expected);

    // The day's agenda: the shown class, then the others.
    const year_month_day monday{sys_days{2010y / March / 1} + days{7 * (c.week - 1)}};
    const auto agenda = orvanto::calendar::agendaOf(loaded, term, monday);
    ASSERT_TRUE(agenda);
    std::vector<std::string> listed;
    for (const auto& entry : agenda->entries) {
        listed.push_back(entry.course);
    }
    std::vector<std::string> all = {c.shown};
    all.insert(all.end(), c.others.begin(), c.others.end());
    EXPECT_EQ(listed, all);

    std::vector<std::string> lines;
    for (const Finding& finding : orvanto::service::checkTimetable(loaded, term)) {
        lines.push_back(finding.line);
        EXPECT_FALSE(finding.note) << finding.line;
    }
    EXPECT_EQ(lines, c.findings);
}

const std::string kNeverShown = "都被上面的课程块占着，格子里从不显示，只在悬停文字和日历里";

INSTANTIATE_TEST_SUITE_P(
    OverlappingBlocks, Clash,
    ::testing::Values(
        ClashCase{"asReported",
                  {{"集合论与图论", "{第1-16周}", weeks(1, 16)},
                   {"算法设计与分析", "{第6-17周}", weeks(6, 17)}},
                  10,
                  "集合论与图论",
                  {"算法设计与分析"},
                  {"C13、C18：星期一第二大节，第6-16周，集合论与图论 与 算法设计与分析 同时上课"}},
        ClashCase{"lowerAloneInItsLastWeek",
                  {{"集合论与图论", "{第1-16周}", weeks(1, 16)},
                   {"算法设计与分析", "{第6-17周}", weeks(6, 17)}},
                  17,
                  "算法设计与分析",
                  {},
                  {"C13、C18：星期一第二大节，第6-16周，集合论与图论 与 算法设计与分析 同时上课"}},
        ClashCase{"sameWeeks",
                  {{"甲", "{第1-16周}", weeks(1, 16)}, {"乙", "{第1-16周}", weeks(1, 16)}},
                  3,
                  "甲",
                  {"乙"},
                  {"C13、C18：星期一第二大节，第1-16周，甲 与 乙 同时上课",
                   "C18：乙：它上课的第1-16周" + kNeverShown}},
        ClashCase{"nestedRange",
                  {{"甲", "{第1-16周}", weeks(1, 16)}, {"乙", "{第6-10周}", weeks(6, 10)}},
                  6,
                  "甲",
                  {"乙"},
                  {"C13、C18：星期一第二大节，第6-10周，甲 与 乙 同时上课",
                   "C18：乙：它上课的第6-10周" + kNeverShown}},
        ClashCase{
            "oddAgainstEveryWeekInAnOddWeek",
            {{"单周课", "{第1-15周}单周", weeks(1, 15, 2)}, {"每周课", "{第1-16周}", weeks(1, 16)}},
            3,
            "单周课",
            {"每周课"},
            {"C13、C18：星期一第二大节，第1-15单周，单周课 与 每周课 同时上课"}},
        ClashCase{
            "oddAgainstEveryWeekInAnEvenWeek",
            {{"单周课", "{第1-15周}单周", weeks(1, 15, 2)}, {"每周课", "{第1-16周}", weeks(1, 16)}},
            4,
            "每周课",
            {},
            {"C13、C18：星期一第二大节，第1-15单周，单周课 与 每周课 同时上课"}},
        ClashCase{"oddAndEvenNeverMeet",
                  {{"单周课", "{第1-15周}单周", weeks(1, 15, 2)},
                   {"双周课", "{第2-16周}双周", weeks(2, 16, 2)}},
                  2,
                  "双周课",
                  {},
                  {}},
        ClashCase{"threeInOneSlot",
                  {{"甲", "{第1-16周}", weeks(1, 16)},
                   {"乙", "{第1-8周}", weeks(1, 8)},
                   {"丙", "{第5-12周}", weeks(5, 12)}},
                  6,
                  "甲",
                  {"乙", "丙"},
                  {"C13、C18：星期一第二大节，第1-8周，甲 与 乙 同时上课",
                   "C13、C23：星期一第二大节，第5-12周，甲 与 丙 同时上课",
                   "C18：乙：它上课的第1-8周" + kNeverShown,
                   "C18、C23：星期一第二大节，第5-8周，乙 与 丙 同时上课",
                   "C23：丙：它上课的第5-12周" + kNeverShown}},
        ClashCase{"hiddenByTwoAboveTogether",
                  {{"前半", "{第1-8周}", weeks(1, 8)},
                   {"后半", "{第9-16周}", weeks(9, 16)},
                   {"整学期", "{第1-16周}", weeks(1, 16)}},
                  12,
                  "后半",
                  {"整学期"},
                  {"C13、C23：星期一第二大节，第1-8周，前半 与 整学期 同时上课",
                   "C18、C23：星期一第二大节，第9-16周，后半 与 整学期 同时上课",
                   "C23：整学期：它上课的第1-16周" + kNeverShown}},
        ClashCase{"oneClassWrittenTwiceIsNoClash",
                  {{"甲", "{第1-16周}", weeks(1, 16)}, {"甲", "{第1-8周}", weeks(1, 8)}},
                  5,
                  "甲",
                  {},
                  {}}),
    [](const auto& param) { return std::string(param.param.name); });

// Two classes that meet in the same weeks are two events; the upper keeps the UID a lone class
// of that slot and pattern always had, so that a calendar imported before keeps its event.
TEST(ClashUids, TheUpperClassKeepsItsUidAndTheLowerIsToldApart) {
    const LoadedTimetable loaded =
        slotWith({{"甲", "{第1-16周}", weeks(1, 16)}, {"乙", "{第1-16周}", weeks(1, 16)}});
    const Term term;
    const auto series = orvanto::calendar::groupIntoSeries(
        orvanto::calendar::collectTermClasses(loaded, term).meetings);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].lines[0], "甲");
    EXPECT_EQ(orvanto::calendar::eventUid(series[0], term), "20100301-p2-d1-w1-i1-n16@orvanto");
    EXPECT_EQ(orvanto::calendar::eventUid(series[1], term), "20100301-p2-d1-w1-i1-n16-c2@orvanto");
    const auto exported = orvanto::calendar::exportCalendar(loaded, term, sys_seconds{});
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->events, 2);
    EXPECT_EQ(exported->meetings, 32);
}

} // namespace
