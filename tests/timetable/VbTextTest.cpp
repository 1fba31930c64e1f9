#include "timetable/VbText.h"

#include "core/Utf8.h"

#include <gtest/gtest.h>

using namespace orvanto::timetable;
using orvanto::core::toUtf16;
using orvanto::core::toUtf8;

namespace {

TEST(VbText, PositionsCountUtf16CodeUnitsFromOne) {
    EXPECT_EQ(instr(u"{第1-16周}", u"{"), 1);
    EXPECT_EQ(instr(u"{第1-16周}", u"-"), 4);
    EXPECT_EQ(instr(u"abc", u"x"), 0);
    // A character outside the BMP takes two code units.
    EXPECT_EQ(instr(toUtf16("𠀀{第1"), u"{"), 3);
}

TEST(VbText, MidIsEmptyBeyondTheEndAndShortAtIt) {
    EXPECT_EQ(mid(u"{第1-16周}", 3, 2), u"1-");
    EXPECT_EQ(mid(u"{第1-16周}", 5, 2), u"16");
    EXPECT_EQ(mid(u"ab", 2, 2), u"b");
    EXPECT_EQ(mid(u"ab", 3, 2), u"");
    EXPECT_EQ(mid(u"", 1, 2), u"");
}

struct ValCase {
    std::u16string text;
    double value;
};

class Val : public ::testing::TestWithParam<ValCase> {};

TEST_P(Val, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(val(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, Val,
    ::testing::Values(ValCase{u"16", 16}, ValCase{u"1-", 1}, ValCase{u"9周", 9}, ValCase{u"", 0},
                      ValCase{u"第5", 0}, ValCase{u" 1 6", 16}, ValCase{u"\t\n7", 7},
                      ValCase{u"-3", -3}, ValCase{u"+4", 4}, ValCase{u"2.5", 2.5},
                      ValCase{u".5", 0.5}, ValCase{u"9.", 9}, ValCase{u"1.2.3", 1.2},
                      ValCase{u"-", 0}, ValCase{u"--5", 0}, ValCase{u"１２", 0}));

// A number past a double's range is out of range for a week, never week 0; one too small
// to tell from 0 is 0.
TEST(VbText, NumbersPastADoublesRangeOverflow) {
    const std::u16string digits(400, u'9');
    EXPECT_EQ(cint(val(digits)).failure().status, orvanto::core::Status::Overflow);
    EXPECT_EQ(cint(val(u"-" + digits)).failure().status, orvanto::core::Status::Overflow);
    EXPECT_EQ(cint(val(u"1" + std::u16string(400, u'0') + u"周")).failure().status,
              orvanto::core::Status::Overflow);
    EXPECT_EQ(val(u"0." + std::u16string(400, u'0') + u"1"), 0);
    EXPECT_EQ(val(std::u16string(400, u'0') + u"7"), 7);
}

TEST(VbText, CIntRoundsHalfToEvenAndOverflowsOutsideSixteenBits) {
    const std::pair<double, std::int16_t> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4, 2}, {2.6, 3}, {32767.4, 32767}};
    for (const auto& [input, expected] : cases) {
        auto result = cint(input);
        ASSERT_TRUE(result.ok()) << input;
        EXPECT_EQ(result.value(), expected) << input;
    }
    EXPECT_EQ(cint(32767.5).failure().status, orvanto::core::Status::Overflow);
    EXPECT_EQ(cint(-32769).failure().status, orvanto::core::Status::Overflow);
    EXPECT_TRUE(cint(-32768).ok());
}

TEST(VbText, Utf8RoundTripsThroughUtf16) {
    const std::string text = "高等数学 𠀀 {第1-16周}";
    EXPECT_EQ(toUtf8(toUtf16(text)), text);
    EXPECT_EQ(toUtf16("\xE9"), u"\uFFFD");
}

} // namespace
