// Which field a text fits best, by content alone: the evidence the dialect reading weighs when a
// class lacks its teacher or its room and a lone text must be one of them.

#include "imports/entries/FieldFit.h"

#include <gtest/gtest.h>
#include <string>

namespace orvanto::imports {
namespace {

enum class Best { Course, Teacher, Room };

struct FitCase {
    std::string text;
    Best best;
};

void PrintTo(const FitCase& c, std::ostream* out) {
    *out << c.text;
}

class FieldFit : public testing::TestWithParam<FitCase> {};

TEST_P(FieldFit, TextFitsItsOwnFieldBest) {
    const std::string& text = GetParam().text;
    const double course = courseFitOf(text);
    const double teacher = teacherFitOf(text);
    const double room = roomFitOf(text);
    switch (GetParam().best) {
    case Best::Course:
        EXPECT_GT(course, teacher);
        EXPECT_GT(course, room);
        break;
    case Best::Teacher:
        EXPECT_GT(teacher, course);
        EXPECT_GT(teacher, room);
        break;
    case Best::Room:
        EXPECT_GT(room, course);
        EXPECT_GT(room, teacher);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldFit,
    testing::Values(
        // A title inside a list of names: its 教 is no teaching building.
        FitCase{"罗志强副教授,马志强", Best::Teacher}, FitCase{"王芳教授、李明", Best::Teacher},
        FitCase{"王芳副教授", Best::Teacher}, FitCase{"欧阳子涵", Best::Teacher},
        FitCase{"教2-301", Best::Room}, FitCase{"致新楼-203", Best::Room},
        FitCase{"二教106(成都校区)", Best::Room}, FitCase{"综合楼", Best::Room},
        // 实验 is a course word, but 实验楼 with a number is a building.
        FitCase{"实验楼214【主校区】", Best::Room}, FitCase{"实验楼305", Best::Room},
        FitCase{"概率论与数理统计", Best::Course}));

} // namespace
} // namespace orvanto::imports
