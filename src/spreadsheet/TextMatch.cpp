#include "TextMatch.h"

#include "core/Utf8.h"

namespace orvanto::spreadsheet {

namespace {

std::u32string foldedCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        out.push_back(foldForSearch(core::decodeUtf8(utf8, i)));
    }
    return out;
}

} // namespace

char32_t foldForSearch(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
        c -= 0xFEE0;
    } else if (c == 0x3000) {
        c = U' ';
    }
    if (c < 0x80) {
        return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    }
    // Upper-case letters of Latin-1, Greek and Cyrillic, independent of the C locale.
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    return c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y && (x >= 0x80 || y >= 0x80 || foldForSearch(x) != foldForSearch(y))) {
            return false;
        }
    }
    return true;
}

TextMatcher::TextMatcher(std::string_view needle) : m_needle(foldedCodePoints(needle)) {}

bool TextMatcher::foundIn(std::string_view haystack) const {
    return foldedCodePoints(haystack).find(m_needle) != std::u32string::npos;
}

} // namespace orvanto::spreadsheet
