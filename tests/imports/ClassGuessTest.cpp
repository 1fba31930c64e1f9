// The best guess of a text no reading explained: what the preview prefills a new class with.

#include "imports/entries/ClassGuess.h"

#include "WeekSets.h"

#include <gtest/gtest.h>
#include <string>

namespace orvanto::imports {
namespace {

using importtests::weeks;

struct GuessCase {
    std::string text;
    std::string course;
    std::string teacher;
    std::string room;
    WeekSet weeks;
    SmallPeriods periods{};
    std::optional<int> weekday = std::nullopt;
};

void PrintTo(const GuessCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class GuessClass : public testing::TestWithParam<GuessCase> {};

TEST_P(GuessClass, FillsTheFieldsItsPiecesSay) {
    const GuessCase& c = GetParam();
    const ImportedClass guess = guessClass(c.text);
    EXPECT_EQ(guess.course, c.course);
    EXPECT_EQ(guess.teacher, c.teacher);
    EXPECT_EQ(guess.room, c.room);
    EXPECT_EQ(guess.weeks, c.weeks) << guess.weeks.to_string();
    EXPECT_EQ(guess.periods, c.periods);
    EXPECT_EQ(guess.weekday, c.weekday);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GuessClass,
    testing::Values(
        // Fields on lines of their own, in an order no reading took.
        GuessCase{"南教401\n高等数学\n1-16周\n王芳", "高等数学", "王芳", "南教401", weeks(1, 16)},
        // One line, parted by a separator of its own.
        GuessCase{"大学英语;王芳副教授;1-16周;致新楼-203", "大学英语", "王芳副教授", "致新楼-203",
                  weeks(1, 16)},
        GuessCase{"软件构造 | 3-4节 | 双2-16", "软件构造", "", "", weeks(2, 16, 2), {3, 4}},
        // Labelled fields are taken by their label, whatever their content.
        GuessCase{"课程：体育\n教师：李四\n地点：田径场\n周次：1-8", "体育", "李四", "田径场",
                  weeks(1, 8)},
        // A weekday piece and a detail line that is no field.
        GuessCase{"周三\n线性代数\n学时:48", "线性代数", "", "", WeekSet{}, {}, 2},
        // Nothing that looks like weeks: the text still lands somewhere for the student.
        GuessCase{"实践周见通知", "实践周见通知", "", "", WeekSet{}}));

TEST(GuessClass, EmptyTextGuessesNothing) {
    EXPECT_EQ(guessClass(""), ImportedClass{});
}

} // namespace
} // namespace orvanto::imports
