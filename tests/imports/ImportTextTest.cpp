// The character helpers every reader of export texts leans on: trimming keeps the text
// between byte for byte, and width folding maps exactly the full-width ASCII block.

#include "imports/entries/ImportText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

bool allBlank(std::string_view text) {
    for (const CodePoint& point : codePointsOf(text)) {
        if (!isBlank(point.value) && point.value != U'\r' && point.value != U'\n') {
            return false;
        }
    }
    return true;
}

// Random texts of blanks, text and stray bytes: what is cut off is blanks only, what stays is
// one piece of the text that neither starts nor ends with one.
TEST(TrimBlanksProperty, CutsBlanksOnlyAndAllOfThem) {
    const std::vector<std::string> pieces = {" ",  "\t",   "\n",   "\u3000", "\u00A0", "a",
                                             "周", "\x80", "\xE3", "\xC2",   "\xA0",   "\xE3\x80"};
    std::mt19937 random(3);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 8)(random); n > 0; --n) {
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        }
        const std::string_view trimmed = trimBlanks(text);
        const std::size_t begin = trimmed.empty() ? 0 : trimmed.data() - text.data();
        ASSERT_LE(begin + trimmed.size(), text.size());
        EXPECT_TRUE(allBlank(std::string_view(text).substr(0, begin))) << text;
        EXPECT_TRUE(allBlank(std::string_view(text).substr(begin + trimmed.size()))) << text;
        if (trimmed.empty()) {
            EXPECT_TRUE(allBlank(text)) << text;
            continue;
        }
        const auto points = codePointsOf(trimmed);
        EXPECT_FALSE(
            allBlank(trimmed.substr(0, points.size() > 1 ? points[1].offset : trimmed.size())))
            << text;
        EXPECT_FALSE(allBlank(trimmed.substr(points.back().offset))) << text;
    }
}

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
