#include "TextMatch.h"

namespace orvanto::spreadsheet {

namespace {

std::u32string foldedCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? lead : lead & (0x3Fu >> extra);
        std::size_t k = 1;
        for (; k <= static_cast<std::size_t>(extra) && i + k < utf8.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        i += k;
        out.push_back(foldForSearch(cp));
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

TextMatcher::TextMatcher(std::string_view needle) : m_needle(foldedCodePoints(needle)) {}

bool TextMatcher::foundIn(std::string_view haystack) const {
    return foldedCodePoints(haystack).find(m_needle) != std::u32string::npos;
}

} // namespace orvanto::spreadsheet
