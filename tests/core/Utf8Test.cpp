// The UTF-8 decoder against Unicode's well-formed byte sequences: every malformed input
// decodes to U+FFFD, never to a character it only looks like (an overlong "/" or NUL).
#include "core/Utf8.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvanto::core {
namespace {

std::u32string decodeAll(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        out.push_back(decodeUtf8(text, i));
    }
    return out;
}

struct Case {
    const char* what;
    std::string bytes;
    std::u32string decoded;
};

constexpr char32_t R = kReplacementCharacter;

const Case kCases[] = {
    {"ascii", "a/", U"a/"},
    {"two bytes", "\xC2\xA9", U"\u00A9"},
    {"three bytes", "\xE8\xAF\xBE", U"\u8BFE"},
    {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
    {"lowest three-byte", "\xE0\xA0\x80", U"\u0800"},
    {"highest before surrogates", "\xED\x9F\xBF", U"\uD7FF"},
    {"first after surrogates", "\xEE\x80\x80", U"\uE000"},
    {"lowest four-byte", "\xF0\x90\x80\x80", U"\U00010000"},
    {"highest code point", "\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
    {"replacement character itself", "\xEF\xBF\xBD", {R}},
    // overlong forms of "/" and NUL
    {"overlong slash, two bytes", "\xC0\xAF", {R, R}},
    {"overlong nul, two bytes", "\xC0\x80", {R, R}},
    {"C1 lead", "\xC1\xBF", {R, R}},
    {"overlong slash, three bytes", "\xE0\x80\xAF", {R, R, R}},
    {"overlong, four bytes", "\xF0\x80\x80\xAF", {R, R, R, R}},
    {"overlong, highest three-byte", "\xF0\x8F\xBF\xBF", {R, R, R, R}},
    // surrogates encoded directly
    {"high surrogate", "\xED\xA0\x80", {R, R, R}},
    {"low surrogate", "\xED\xBF\xBF", {R, R, R}},
    {"surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", {R, R, R, R, R, R}},
    // past U+10FFFF
    {"0x110000", "\xF4\x90\x80\x80", {R, R, R, R}},
    {"F5 lead", "\xF5\x80\x80\x80", {R, R, R, R}},
    {"FF", "\xFF", {R}},
    // cut short, at the end and before other text: one replacement for the started sequence
    {"two-byte cut at end", "\xC3", {R}},
    {"three-byte cut at end", "\xE8\xAF", {R}},
    {"four-byte cut at end", "\xF0\x9F\x98", {R}},
    {"three-byte cut before ascii",
     "\xE8\xAF"
     "a",
     {R, U'a'}},
    {"four-byte cut before a character", "\xF0\x9F\xE8\xAF\xBE", {R, U'\u8BFE'}},
    {"lone continuation",
     "\x80"
     "a",
     {R, U'a'}},
};

class Utf8Decode : public ::testing::TestWithParam<Case> {};

TEST_P(Utf8Decode, GivesTheCodePointsOrReplacements) {
    EXPECT_EQ(decodeAll(GetParam().bytes), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8Decode, ::testing::ValuesIn(kCases), [](const auto& p) {
    std::string name;
    for (const char c : std::string(p.param.what)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

// Every code point that is not a surrogate goes through UTF-8 and back unchanged, and
// through UTF-16 and back.
TEST(Utf8, EveryScalarValueRoundTrips) {
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        std::string utf8;
        appendUtf8(utf8, cp);
        std::size_t i = 0;
        ASSERT_EQ(decodeUtf8(utf8, i), cp);
        ASSERT_EQ(i, utf8.size());
        ASSERT_EQ(toUtf8(toUtf16(utf8)), utf8);
    }
}

} // namespace
} // namespace orvanto::core
