// Week texts as school exports write them, read into week sets, and texts that are none.

#include "imports/entries/WeekText.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace orvanto::imports {
namespace {

// Weeks first..last, every step-th one: an expectation written independently of the reader.
struct Span {
    int first;
    int last;
    int step = 1;
};

WeekSet weeksOf(std::initializer_list<Span> spans) {
    WeekSet weeks;
    for (const Span& span : spans) {
        for (int week = span.first; week <= span.last; week += span.step) {
            weeks.set(static_cast<std::size_t>(week));
        }
    }
    return weeks;
}

struct WeekCase {
    std::string text;
    WeekSet weeks;
};

void PrintTo(const WeekCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ReadWeekText : public testing::TestWithParam<WeekCase> {};

TEST_P(ReadWeekText, GivesTheWeeksWritten) {
    const auto weeks = readWeekText(GetParam().text);
    ASSERT_TRUE(weeks.has_value());
    EXPECT_EQ(*weeks, GetParam().weeks) << weeks->to_string();
}

INSTANTIATE_TEST_SUITE_P(
    Notations, ReadWeekText,
    testing::Values(
        // Bare ranges and lists, in every dash and comma exports use.
        WeekCase{"1-16", weeksOf({{1, 16}})}, WeekCase{"1－16", weeksOf({{1, 16}})},
        WeekCase{"1~16", weeksOf({{1, 16}})}, WeekCase{"1～16", weeksOf({{1, 16}})},
        WeekCase{"1—16", weeksOf({{1, 16}})}, WeekCase{"1–16", weeksOf({{1, 16}})},
        WeekCase{"１－１６", weeksOf({{1, 16}})}, WeekCase{"1 - 16", weeksOf({{1, 16}})},
        WeekCase{"1至16周", weeksOf({{1, 16}})}, WeekCase{"1-8,10-16", weeksOf({{1, 8}, {10, 16}})},
        WeekCase{"1-8，10-16", weeksOf({{1, 8}, {10, 16}})},
        WeekCase{"1-8、10-16", weeksOf({{1, 8}, {10, 16}})},
        WeekCase{"3,5,7", weeksOf({{3, 7, 2}})}, WeekCase{"2-4,13", weeksOf({{2, 4}, {13, 13}})},
        WeekCase{"3-8 11-12 16", weeksOf({{3, 8}, {11, 12}, {16, 16}})},
        WeekCase{"1,3-5, 9", weeksOf({{1, 1}, {3, 5}, {9, 9}})},
        WeekCase{"01-09", weeksOf({{1, 9}})}, WeekCase{"7", weeksOf({{7, 7}})},
        WeekCase{"1-99", weeksOf({{1, 99}})}, WeekCase{"99", weeksOf({{99, 99}})},
        WeekCase{"5-5", weeksOf({{5, 5}})}, WeekCase{"1-8,10-16，", weeksOf({{1, 8}, {10, 16}})},
        WeekCase{"1-4,3-6", weeksOf({{1, 6}})},
        // Written with 周, brackets and 第.
        WeekCase{"1-16周", weeksOf({{1, 16}})}, WeekCase{"[1-16]周", weeksOf({{1, 16}})},
        WeekCase{"(1-16周)", weeksOf({{1, 16}})}, WeekCase{"（1-16周）", weeksOf({{1, 16}})},
        WeekCase{"第1-16周", weeksOf({{1, 16}})}, WeekCase{"{第1-16周}", weeksOf({{1, 16}})},
        WeekCase{"[18]周", weeksOf({{18, 18}})}, WeekCase{"第5周", weeksOf({{5, 5}})},
        WeekCase{"［1-3，5-16］周", weeksOf({{1, 3}, {5, 16}})},
        WeekCase{"【2-17】周", weeksOf({{2, 17}})}, WeekCase{"第1周-第8周", weeksOf({{1, 8}})},
        WeekCase{"第1-8周,第10-16周", weeksOf({{1, 8}, {10, 16}})},
        WeekCase{"1-8周 10-16周", weeksOf({{1, 8}, {10, 16}})},
        // Odd and even weeks, before or after the range they bind to.
        WeekCase{"单7-11", weeksOf({{7, 11, 2}})}, WeekCase{"双8-12", weeksOf({{8, 12, 2}})},
        WeekCase{"1-15单周", weeksOf({{1, 15, 2}})}, WeekCase{"2-16双周", weeksOf({{2, 16, 2}})},
        WeekCase{"{第1-15周|单周}", weeksOf({{1, 15, 2}})},
        WeekCase{"{第2-16周|双周}", weeksOf({{2, 16, 2}})},
        WeekCase{"{第1-15周 | 单周}", weeksOf({{1, 15, 2}})},
        WeekCase{"1-16(单)", weeksOf({{1, 15, 2}})}, WeekCase{"1-16（双）", weeksOf({{2, 16, 2}})},
        WeekCase{"1-16周(双)", weeksOf({{2, 16, 2}})}, WeekCase{"1-16单", weeksOf({{1, 15, 2}})},
        WeekCase{"2-17单", weeksOf({{3, 17, 2}})}, WeekCase{"1-16双", weeksOf({{2, 16, 2}})},
        WeekCase{"[1-15单]周", weeksOf({{1, 15, 2}})}, WeekCase{"单周1-15", weeksOf({{1, 15, 2}})},
        // The mark binds to its own range only.
        WeekCase{"1-8,10-16单周", weeksOf({{1, 8}, {11, 15, 2}})},
        WeekCase{"单1-7,10-12", weeksOf({{1, 7, 2}, {10, 12}})},
        WeekCase{"1-4,单7-11", weeksOf({{1, 4}, {7, 11, 2}})},
        WeekCase{"1-7单,8-16双", weeksOf({{1, 7, 2}, {8, 16, 2}})},
        // Trimmed of blanks, U+3000 and line breaks.
        WeekCase{"  1-16周\u3000", weeksOf({{1, 16}})}, WeekCase{"\n3-5\r\n", weeksOf({{3, 5}})}));

class RejectWeekText : public testing::TestWithParam<std::string> {};

TEST_P(RejectWeekText, GivesNothing) {
    EXPECT_FALSE(readWeekText(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(NoWeekText, RejectWeekText,
                         testing::Values("", "   ", "周", "第周", "单周", "[]周", "0", "0-5", "100",
                                         "1-100", "98-100", "16-1", "1-16周 A101", "A101",
                                         "高等数学", "1--16", "-16", "1-", ",", "1-16单双",
                                         "双单1-16", "1-8,单", "双1", "单2-2", "[1-16周", "1-16]",
                                         "(1-16]", "{第1-16周", "周一", "12:00",
                                         "1-16周[1-2节]A101", "9999999999999", "1-16\x80",
                                         "第1-16周|2节/周"));

// Every week alone, written the three ways, reads back as that week only.
TEST(ReadWeekTextRoundTrip, EveryWeekInEveryNotation) {
    for (int week = 1; week <= kMaxWeek; ++week) {
        WeekSet expected;
        expected.set(static_cast<std::size_t>(week));
        for (const std::string& text :
             {std::to_string(week), "第" + std::to_string(week) + "周",
              "[" + std::to_string(week) + "-" + std::to_string(week) + "]周"}) {
            EXPECT_EQ(readWeekText(text), expected) << text;
        }
    }
}

// A long list stays fast and exact: every week 1..99 listed, odd weeks marked.
TEST(ReadWeekTextRoundTrip, LongList) {
    std::string text;
    for (int week = 1; week <= kMaxWeek; ++week) {
        text +=
            (week > 1 ? "，" : "") + std::string(week % 2 == 1 ? "单" : "") + std::to_string(week);
    }
    EXPECT_EQ(readWeekText(text), weeksOf({{1, 99}}));
}

// What the preview shows is what the grid's week rows will say, and the preview reads it back
// when the student edits it: every form must come back as the same weeks.
class WeeksTextForm : public testing::TestWithParam<WeekCase> {};

TEST_P(WeeksTextForm, SaysTheRunsAndReadsBack) {
    EXPECT_EQ(weeksText(GetParam().weeks), GetParam().text);
    EXPECT_EQ(readWeekText(GetParam().text), GetParam().weeks);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, WeeksTextForm,
    testing::Values(WeekCase{"1-16", weeksOf({{1, 16}})}, WeekCase{"7", weeksOf({{7, 7}})},
                    WeekCase{"1-15单", weeksOf({{1, 15, 2}})},
                    WeekCase{"2-16双", weeksOf({{2, 16, 2}})},
                    // Beside another run the parity leads, so it is not read as the whole list's.
                    WeekCase{"5-6, 双8-12", weeksOf({{5, 6}, {8, 12, 2}})},
                    WeekCase{"双2-16, 17", weeksOf({{2, 16, 2}, {17, 17}})},
                    WeekCase{"1-8, 10-16", weeksOf({{1, 8}, {10, 16}})},
                    WeekCase{"3, 9", weeksOf({{3, 3}, {9, 9}})},
                    WeekCase{"单1-5, 8-9, 98-99", weeksOf({{1, 5, 2}, {8, 9}, {98, 99}})}));

TEST(WeeksTextForm, NoWeeksIsEmpty) {
    EXPECT_EQ(weeksText(WeekSet{}), "");
}

} // namespace
} // namespace orvanto::imports
