// Character-level helpers the readers of export texts share: code points with their byte
// offsets, blanks (U+3000 included), full-width forms folded to ASCII, Chinese numerals.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvanto::imports {

struct CodePoint {
    char32_t value = 0;
    std::size_t offset = 0; // of its first byte in the text
};

// The text's code points, each with where it starts; malformed bytes give U+FFFD.
std::vector<CodePoint> codePointsOf(std::string_view text);

// Space, tab, no-break space and the ideographic space U+3000; not line breaks.
bool isBlank(char32_t c);

// The text without blanks and line breaks at either end; the rest stays byte for byte.
std::string_view trimBlanks(std::string_view text);

// Full-width forms (０, －, ［, ，, ：...) as their ASCII twins; every other code point as is.
char32_t foldWidth(char32_t c);

// 一..九 as 1..9, 〇/零 as 0, 两 as 2; -1 for any other code point.
int chineseDigit(char32_t c);

} // namespace orvanto::imports
