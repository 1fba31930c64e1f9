// Week rows as a student types them, against what the week rule reads: the problem named, the
// fix offered, and that every fix offered is read as the student meant.
#include "timetable/WeekRowReading.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using orvanto::core::Term;
using orvanto::timetable::admittedWeeks;
using orvanto::timetable::describeWeeks;
using orvanto::timetable::intendedWeeks;
using orvanto::timetable::readWeekRow;
using Kind = orvanto::timetable::WeekRowProblem::Kind;

struct RowCase {
    const char* text;
    bool problem;
    Kind kind;
    const char* reason; // the whole reason
    const char* fix;    // the whole fix
};

class WeekRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(WeekRow, NamesTheProblemAndItsFix) {
    const RowCase& c = GetParam();
    const auto problem = readWeekRow(c.text, Term{});
    ASSERT_EQ(problem.has_value(), c.problem) << c.text;
    if (problem) {
        EXPECT_EQ(problem->kind, c.kind) << c.text;
        EXPECT_EQ(problem->reason, c.reason) << c.text;
        EXPECT_EQ(problem->fix, c.fix) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typed, WeekRow,
    ::testing::Values(
        // Read as written.
        RowCase{"{第1-16周}", false, {}, "", ""}, RowCase{"{第1-15周}单周", false, {}, "", ""},
        RowCase{"{第2-16周}双周", false, {}, "", ""}, RowCase{"{第1-22周}", false, {}, "", ""},
        RowCase{"第1-16周", false, {}, "", ""}, RowCase{"{第5-5周}", false, {}, "", ""},
        RowCase{"{第1-16周}(2班)", false, {}, "", ""},
        // Admit no week.
        RowCase{"{第1－16周}", true, Kind::NoWeek, "全角连字符", "应写作 {第1-16周}"},
        RowCase{"{第1~16周}", true, Kind::NoWeek, "波浪号", "应写作 {第1-16周}"},
        RowCase{"{第1～16周}单周", true, Kind::NoWeek, "波浪号", "应写作 {第1-16周}单周"},
        RowCase{"{第１-１６周}", true, Kind::NoWeek, "全角数字", "应写作 {第1-16周}"},
        RowCase{"｛第１－１６周｝", true, Kind::NoWeek, "全角大括号、全角数字、全角连字符",
                "应写作 {第1-16周}"},
        RowCase{"{第1—16周}", true, Kind::NoWeek, "破折号", "应写作 {第1-16周}"},
        RowCase{"{第3至10周}", true, Kind::NoWeek, "“至”", "应写作 {第3-10周}"},
        RowCase{"{第5周}", true, Kind::NoWeek, "只写了一周", "应写作 {第5-5周}"},
        RowCase{"{第23-25周}", true, Kind::NoWeek, "写的周次不在本学期的第1-22周内", ""},
        RowCase{"全学期", true, Kind::NoWeek, "看不出是哪几周", "应写作 {第1-22周} 这样的形式"},
        // Admit only part of what is written.
        RowCase{"{第1-8周,10-16周}", true, Kind::Partly, "一格只认一段周次，只在第1-8周显示",
                "应拆成2个课程块，分别写作 {第1-8周} 和 {第10-16周}"},
        RowCase{"{第1-4周，6-8周，10周}", true, Kind::Partly, "一格只认一段周次，只在第1-4周显示",
                "应拆成3个课程块，分别写作 {第1-4周} 和 {第6-8周} 和 {第10-10周}"},
        RowCase{"{第1-8周、10-16周}单周", true, Kind::Partly,
                "一格只认一段周次，只在第1-7单周周显示",
                "应拆成2个课程块，分别写作 {第1-8周}单周 和 {第10-16周}单周"},
        RowCase{"{第1-16周}单", true, Kind::Partly, "单双周要写作“单周”或“双周”，只在第1-16周显示",
                "应写作 {第1-16周}单周"},
        // The rule reads the two characters after "{" and the two after "-".
        RowCase{"{ 第3-18周 }", true, Kind::Partly, "周次写法不被识别，只在第1-18周显示",
                "应写作 {第3-18周}"},
        RowCase{"{第1-100周}", true, Kind::Partly, "周次写法不被识别，只在第1-10周显示",
                "应写作 {第1-22周}"}));

TEST(WeekRow, DescribesWeeksAsAStudentWritesThem) {
    EXPECT_EQ(describeWeeks({1, 2, 3, 4, 5, 6, 7, 8}), "1-8");
    EXPECT_EQ(describeWeeks({1, 2, 3, 10, 11, 16}), "1-3、10-11、16");
    EXPECT_EQ(describeWeeks({2, 4, 6, 8}), "2-8双周");
    EXPECT_EQ(describeWeeks({1, 3}), "1、3");
}

// Every way of writing a range the check knows, built from its parts: whenever the check is
// silent the rule reads the text as meant, and whenever it offers a text to write instead, the
// rule reads that text as the student meant the original. The week-row fuzzer holds every
// other text to the same promise.
TEST(WeekRow, EveryFixOfferedIsReadAsMeant) {
    const std::vector<std::string> opens = {"{第", "｛第", "第", "{"};
    const std::vector<std::string> dashes = {"-", "－", "~", "～", "—", "至", "到", "–"};
    const std::vector<std::string> closes = {"周}", "周｝", "周"};
    const std::vector<std::string> parities = {"", "单周", "双周", "单"};
    const std::vector<std::pair<std::string, std::string>> numbers = {
        {"1", "16"}, {"3", "9"}, {"10", "22"}, {"１", "１６"}, {"5", "30"}, {"2", "2"}};
    Term shortTerm;
    shortTerm.weeks = 18;
    int checked = 0;
    for (const Term& term : {Term{}, shortTerm}) {
        for (const auto& open : opens) {
            for (const auto& dash : dashes) {
                for (const auto& close : closes) {
                    for (const auto& parity : parities) {
                        for (const auto& [first, last] : numbers) {
                            const std::string text = open + first + dash + last + close + parity;
                            const auto problem = readWeekRow(text, term);
                            const auto meant = intendedWeeks(text, term);
                            if (!problem) {
                                EXPECT_EQ(admittedWeeks(text, term), meant) << text;
                                continue;
                            }
                            EXPECT_FALSE(problem->reason.empty()) << text;
                            const std::string& fix = problem->rewrite;
                            if (!fix.empty()) {
                                EXPECT_EQ(problem->fix, "应写作 " + fix);
                                EXPECT_EQ(admittedWeeks(fix, term), meant) << text << " -> " << fix;
                                EXPECT_FALSE(readWeekRow(fix, term).has_value()) << fix;
                                ++checked;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
