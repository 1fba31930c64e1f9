// The character helpers every reader of export texts leans on: trimming keeps the text
// between byte for byte, and width folding maps exactly the full-width ASCII block.

#include "imports/ImportText.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace orvanto::imports {
namespace {

class TrimBlanks : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(TrimBlanks, KeepsWhatStandsBetween) {
    EXPECT_EQ(trimBlanks(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimBlanks,
    testing::Values(std::pair<std::string, std::string>{"", ""}, std::pair{"   ", ""},
                    std::pair{"\u3000\u3000", ""}, std::pair{" a ", "a"},
                    std::pair{"\u3000高等数学\u3000", "高等数学"},
                    std::pair{"\r\n\t张 三\n", "张 三"}, std::pair{"\u00A0A101\u00A0", "A101"},
                    std::pair{"a\u3000b", "a\u3000b"},
                    // Bytes that only look like the end of a blank are kept.
                    std::pair{"x\x80\x80", "x\x80\x80"}, std::pair{"x\xE3\x80", "x\xE3\x80"},
                    std::pair{"\xA0x", "\xA0x"}, std::pair{"x\xA0", "x\xA0"}));

TEST(FoldWidth, MapsTheFullWidthBlockOntoAscii) {
    for (char32_t c = 0x21; c <= 0x7E; ++c) {
        EXPECT_EQ(foldWidth(c - 0x21 + 0xFF01), c);
        EXPECT_EQ(foldWidth(c), c);
    }
    EXPECT_EQ(foldWidth(0xFF00), 0xFF00u);
    EXPECT_EQ(foldWidth(0xFF5F), 0xFF5Fu);
    EXPECT_EQ(foldWidth(U'周'), U'周');
}

TEST(CodePointsOf, GivesEachStartAndReplacesMalformedBytes) {
    const auto points = codePointsOf("a周\xFF"
                                     "b");
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].value, U'周');
    EXPECT_EQ(points[1].offset, 1u);
    EXPECT_EQ(points[2].value, 0xFFFDu);
    EXPECT_EQ(points[3].offset, 5u);
}

} // namespace
} // namespace orvanto::imports
