// UTF-8 decoding and encoding of code points and whole UTF-16 strings, shared by every
// unit that walks or builds text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanto::core {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at text[i] and advances i past it. Only well-formed sequences
// decode: an overlong form, a surrogate, a value past U+10FFFF or a sequence cut short gives
// U+FFFD, once for the longest start of a sequence that could still have been well formed
// (at least one byte), as Unicode recommends.
inline char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    std::size_t extra = 0;
    char32_t cp = 0;
    // The second byte's range is narrower after some leads: that is what rules out
    // overlong forms (E0, F0), surrogates (ED) and values past U+10FFFF (F4).
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        ++i; // a continuation byte, C0/C1 (always overlong) or F5-FF
        return kReplacementCharacter;
    }
    std::size_t used = 1;
    for (; used <= extra; ++used) {
        if (i + used >= text.size()) {
            break;
        }
        const auto next = static_cast<unsigned char>(text[i + used]);
        if (next < low || next > high) {
            break;
        }
        cp = (cp << 6) | (next & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    i += used;
    return used == extra + 1 ? cp : kReplacementCharacter;
}

inline void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacementCharacter;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Whether text is well-formed UTF-8: no stray or missing continuation bytes, no surrogates,
// no code point past U+10FFFF and no overlong form (C0 80 for U+0000), as XML parsers demand.
inline bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        const char32_t cp = decodeUtf8(text, i);
        if (cp == kReplacementCharacter && !text.substr(at).starts_with("\xEF\xBF\xBD")) {
            return false;
        }
        const std::size_t shortest = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (i - at != shortest) {
            return false;
        }
    }
    return true;
}

// Whole strings between UTF-8 and UTF-16; unpaired surrogates become U+FFFD.
inline std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = decodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

inline std::string toUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00u);
            ++i;
        }
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace orvanto::core
