#include "imports/entries/ImportText.h"

#include "core/Utf8.h"

namespace orvanto::imports {

std::vector<CodePoint> codePointsOf(std::string_view text) {
    std::vector<CodePoint> points;
    points.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t offset = i;
        points.push_back({core::decodeUtf8(text, i), offset});
    }
    return points;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == 0x00A0 || c == 0x3000;
}

namespace {

bool isAsciiSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// Bytes of the blank or line break starting at i (no-break space C2 A0, U+3000 E3 80 80);
// 0 if none starts there.
std::size_t blankLengthAt(std::string_view text, std::size_t i) {
    if (isAsciiSpace(byteAt(text, i))) {
        return 1;
    }
    if (text.substr(i, 2) == "\xC2\xA0") {
        return 2;
    }
    return text.substr(i, 3) == "\xE3\x80\x80" ? 3 : 0;
}

// Bytes of the blank or line break ending just before end; 0 if none ends there.
std::size_t blankLengthBefore(std::string_view text, std::size_t end) {
    if (isAsciiSpace(byteAt(text, end - 1))) {
        return 1;
    }
    if (end >= 2 && text.substr(end - 2, 2) == "\xC2\xA0") {
        return 2;
    }
    return end >= 3 && text.substr(end - 3, 3) == "\xE3\x80\x80" ? 3 : 0;
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    for (std::size_t n = 0; begin < end && (n = blankLengthAt(text, begin)) != 0;) {
        begin += n;
    }
    for (std::size_t n = 0; end > begin && (n = blankLengthBefore(text, end)) != 0;) {
        end -= n;
    }
    return text.substr(begin, end - begin);
}

char32_t foldWidth(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
        return c - 0xFF01 + 0x21;
    }
    return c;
}

int chineseDigit(char32_t c) {
    switch (c) {
    case U'〇':
    case U'零':
        return 0;
    case U'一':
        return 1;
    case U'二':
    case U'两':
        return 2;
    case U'三':
        return 3;
    case U'四':
        return 4;
    case U'五':
        return 5;
    case U'六':
        return 6;
    case U'七':
        return 7;
    case U'八':
        return 8;
    case U'九':
        return 9;
    default:
        return -1;
    }
}

} // namespace orvanto::imports
