// The weeks line of a class in each form, and lines of the other fields that must not be
// taken for one (a course, a teacher with a title, a room with digits).

#include "imports/entries/WeeksLine.h"

#include "WeekSets.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvanto::imports {
namespace {

using importtests::weeks;

struct LineCase {
    std::string text;
    WeeksLineForm form;
    std::vector<WeeksSegment> segments;
    std::optional<std::string> teacher = std::nullopt;
    std::optional<int> weekday = std::nullopt;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ReadWeeksLine : public testing::TestWithParam<LineCase> {};

TEST_P(ReadWeeksLine, GivesItsForm) {
    const auto line = readWeeksLine(GetParam().text);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->form, GetParam().form);
    ASSERT_EQ(line->segments.size(), GetParam().segments.size());
    for (std::size_t i = 0; i < line->segments.size(); ++i) {
        EXPECT_EQ(line->segments[i].weeks, GetParam().segments[i].weeks) << i;
        EXPECT_EQ(line->segments[i].room, GetParam().segments[i].room) << i;
        EXPECT_EQ(line->segments[i].periods, GetParam().segments[i].periods) << i;
    }
    EXPECT_EQ(line->teacher, GetParam().teacher);
    EXPECT_EQ(line->weekday, GetParam().weekday);
}

const std::optional<SmallPeriods> kNoPeriods;

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadWeeksLine,
    testing::Values(
        LineCase{"1-16周", WeeksLineForm::Weeks, {{weeks(1, 16), "", kNoPeriods}}},
        LineCase{"{第1-15周|单周}", WeeksLineForm::Weeks, {{weeks(1, 15, 2), "", kNoPeriods}}},
        LineCase{"1-16周[1-2节]A101",
                 WeeksLineForm::WeeksRoom,
                 {{weeks(1, 16), "A101", SmallPeriods{1, 2}}}},
        LineCase{"[1-16]周[01-02节] 教1-101",
                 WeeksLineForm::WeeksRoom,
                 {{weeks(1, 16), "教1-101", SmallPeriods{1, 2}}}},
        LineCase{
            "1-16周[1-2节]", WeeksLineForm::WeeksRoom, {{weeks(1, 16), "", SmallPeriods{1, 2}}}},
        LineCase{"1-16周 A101", WeeksLineForm::WeeksRoom, {{weeks(1, 16), "A101", kNoPeriods}}},
        LineCase{"3-8 11-12 16 体育馆 东区",
                 WeeksLineForm::WeeksRoom,
                 {{weeks(3, 8) | weeks(11, 12) | weeks(16, 16), "体育馆 东区", kNoPeriods}}},
        LineCase{"李四[1-16]周教2-301",
                 WeeksLineForm::TeacherWeeksRoom,
                 {{weeks(1, 16), "教2-301", kNoPeriods}},
                 "李四"},
        LineCase{"[18]周 体育馆",
                 WeeksLineForm::TeacherWeeksRoom,
                 {{weeks(18, 18), "体育馆", kNoPeriods}},
                 ""},
        LineCase{
            "王五[1-3，5-16]周A432，[4]周校外",
            WeeksLineForm::TeacherWeeksRoom,
            {{weeks(1, 3) | weeks(5, 16), "A432", kNoPeriods}, {weeks(4, 4), "校外", kNoPeriods}},
            "王五"},
        LineCase{"王五 [1-8]周 A432 , [9-15]单周 B101 、[16]周",
                 WeeksLineForm::TeacherWeeksRoom,
                 {{weeks(1, 8), "A432", kNoPeriods},
                  {weeks(9, 15, 2), "B101", kNoPeriods},
                  {weeks(16, 16), "", kNoPeriods}},
                 "王五"},
        LineCase{"刘珊(副教授)[1-16]周[3-4节]A101",
                 WeeksLineForm::TeacherWeeksRoom,
                 {{weeks(1, 16), "A101", SmallPeriods{3, 4}}},
                 "刘珊(副教授)"},
        LineCase{"(1-16,外语楼201)",
                 WeeksLineForm::Bracketed,
                 {{weeks(1, 16), "外语楼201", kNoPeriods}}},
        LineCase{"（1-8，10-16，A101）",
                 WeeksLineForm::Bracketed,
                 {{weeks(1, 8) | weeks(10, 16), "A101", kNoPeriods}}},
        LineCase{
            "(单1-15周,A101)", WeeksLineForm::Bracketed, {{weeks(1, 15, 2), "A101", kNoPeriods}}},
        // A list of weeks in brackets is weeks, not weeks and a room.
        LineCase{
            "(1-8,10-16)", WeeksLineForm::Weeks, {{weeks(1, 8) | weeks(10, 16), "", kNoPeriods}}},
        LineCase{"周一第1,2节{第1-16周}",
                 WeeksLineForm::When,
                 {{weeks(1, 16), "", SmallPeriods{1, 2}}},
                 std::nullopt,
                 0},
        LineCase{"星期日第11、12节{第2-16周|双周}",
                 WeeksLineForm::When,
                 {{weeks(2, 16, 2), "", SmallPeriods{11, 12}}},
                 std::nullopt,
                 6},
        LineCase{
            "第3-4节{第1-8周}", WeeksLineForm::When, {{weeks(1, 8), "", SmallPeriods{3, 4}}}}));

class NoWeeksLine : public testing::TestWithParam<std::string> {};

TEST_P(NoWeeksLine, GivesNothing) {
    EXPECT_FALSE(readWeeksLine(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(OtherFields, NoWeeksLine,
                         testing::Values("", "高等数学", "体育[2]", "大学物理(上)", "刘珊(副教授)",
                                         "贾瑜,李欣蕾", "A101", "教2-301", "301", "101 202",
                                         "大学英语(0012) (王芳)", "选课人数(121)", "学分:3",
                                         "(A101)", "(A101,1-16)", "1-16周X", "1-100周",
                                         "李四[1-16]", "李四[1-16]教2-301", "周八第1,2节{第1-16周}",
                                         "周一第1,2节{第1-16}周 A101", "周一第1,2节", "{", "[", "(",
                                         "第1-2节", "08:00-09:40"));

} // namespace
} // namespace orvanto::imports
