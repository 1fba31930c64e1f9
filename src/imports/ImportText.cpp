#include "ImportText.h"

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

std::string_view trimBlanks(std::string_view text) {
    const auto blankAt = [&text](std::size_t i, bool fromEnd) -> std::size_t {
        // Length of the blank or line break that starts (or, fromEnd, ends) at i; 0 if none.
        const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        if (!fromEnd) {
            const unsigned char c = byte(i);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
                return 1;
            }
            if (c == 0xC2 && i + 1 < text.size() && byte(i + 1) == 0xA0) {
                return 2;
            }
            if (c == 0xE3 && i + 2 < text.size() && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
                return 3;
            }
            return 0;
        }
        const unsigned char c = byte(i - 1);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
            return 1;
        }
        if (c == 0xA0 && i >= 2 && byte(i - 2) == 0xC2) {
            return 2;
        }
        if (c == 0x80 && i >= 3 && byte(i - 2) == 0x80 && byte(i - 3) == 0xE3) {
            return 3;
        }
        return 0;
    };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end) {
        const std::size_t n = blankAt(begin, false);
        if (n == 0) {
            break;
        }
        begin += n;
    }
    while (end > begin) {
        const std::size_t n = blankAt(end, true);
        if (n == 0) {
            break;
        }
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
