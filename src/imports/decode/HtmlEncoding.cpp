#include "imports/decode/HtmlEncoding.h"

#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <optional>

namespace orvanto::imports {

namespace {

// A declaration is looked for where a browser would look, and a little further: exports put
// long style sheets before their meta.
constexpr std::size_t kDeclarationWindow = 16 * 1024;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return lowerAscii(c); });
    return lower;
}

bool isCharsetCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

// The charset name that follows "key" ("charset", "encoding") with blanks, "=" and quotes
// around it; "" when the key is not followed by one.
std::string nameAfter(const std::string& lower, std::size_t keyEnd) {
    std::size_t i = keyEnd;
    auto skipBlanks = [&] {
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t' || lower[i] == '\r' ||
                                    lower[i] == '\n' || lower[i] == '\f')) {
            ++i;
        }
    };
    skipBlanks();
    if (i >= lower.size() || lower[i] != '=') {
        return {};
    }
    ++i;
    skipBlanks();
    while (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) {
        ++i;
    }
    const std::size_t start = i;
    while (i < lower.size() && isCharsetCharacter(lower[i])) {
        ++i;
    }
    return lower.substr(start, i - start);
}

enum class CharsetFamily : std::uint8_t { None, Utf8, Gb, SingleByteWestern, Utf16, Other };

CharsetFamily familyOf(const std::string& charset) {
    if (charset.empty()) {
        return CharsetFamily::None;
    }
    if (charset == "utf-8" || charset == "utf8" || charset == "unicode-1-1-utf-8") {
        return CharsetFamily::Utf8;
    }
    if (charset.starts_with("gb") || charset == "x-gbk" || charset == "cp936" ||
        charset == "ms936" || charset == "windows-936" || charset == "euc-cn" ||
        charset == "csgb2312" || charset == "chinese" || charset == "iso-ir-58") {
        return CharsetFamily::Gb;
    }
    if (charset.starts_with("iso-8859") || charset.starts_with("iso8859") ||
        charset.starts_with("latin") || charset.starts_with("windows-125") ||
        charset.starts_with("cp125") || charset == "us-ascii" || charset == "ascii" ||
        charset == "l1") {
        return CharsetFamily::SingleByteWestern;
    }
    if (charset.starts_with("utf-16") || charset.starts_with("utf16") ||
        charset.starts_with("ucs-2") || charset == "unicode") {
        return CharsetFamily::Utf16;
    }
    return CharsetFamily::Other;
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// Copies bytes as UTF-8, each byte of a malformed, overlong or surrogate sequence as U+FFFD;
// gives the number of bytes replaced.
std::size_t repairUtf8(std::span<const std::uint8_t> bytes, std::string& out) {
    out.clear();
    out.reserve(bytes.size());
    std::size_t errors = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        int length = 0;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= bytes.size() &&
                     bytes[i + 1] >= low && bytes[i + 1] <= high;
        for (int k = 2; valid && k < length; ++k) {
            const std::uint8_t next = bytes[i + static_cast<std::size_t>(k)];
            valid = next >= 0x80 && next <= 0xBF;
        }
        if (!valid) {
            out += kReplacement;
            ++errors;
            ++i;
            continue;
        }
        out.append(reinterpret_cast<const char*>(&bytes[i]), static_cast<std::size_t>(length));
        i += static_cast<std::size_t>(length);
    }
    return errors;
}

// Converts with iconv, each unit it cannot decode (a byte, or two for UTF-16) as U+FFFD; gives
// the number of units replaced, or nothing when iconv does not know the encoding.
std::optional<std::size_t> convertToUtf8(std::span<const std::uint8_t> bytes, const char* from,
                                         std::string& out, std::size_t unit = 1) {
    iconv_t converter = iconv_open("UTF-8", from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    out.clear();
    out.reserve(bytes.size() * 3 / 2);
    std::size_t errors = 0;
    // iconv takes a non-const input pointer but never writes through it.
    char* input = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inputLeft = bytes.size();
    std::array<char, 16 * 1024> chunk{};
    while (true) {
        char* output = chunk.data();
        std::size_t outputLeft = chunk.size();
        const std::size_t result = iconv(converter, &input, &inputLeft, &output, &outputLeft);
        const int error = errno;
        out.append(chunk.data(), chunk.size() - outputLeft);
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error == E2BIG) {
            continue;
        }
        out += kReplacement;
        ++errors;
        if (error != EILSEQ || inputLeft < unit) {
            break; // EINVAL: a sequence cut off by the end of the page
        }
        input += unit;
        inputLeft -= unit;
    }
    iconv_close(converter);
    return errors;
}

void replaceNulCharacters(std::string& text) {
    // The parser would take a NUL for the end of the page.
    if (text.find('\0') == std::string::npos) {
        return;
    }
    std::string replaced;
    replaced.reserve(text.size());
    for (const char c : text) {
        if (c == '\0') {
            replaced += kReplacement;
        } else {
            replaced.push_back(c);
        }
    }
    text = std::move(replaced);
}

DecodedPage decodeWithoutBom(std::span<const std::uint8_t> bytes) {
    DecodedPage page;
    const std::size_t utf8Errors = repairUtf8(bytes, page.text);
    page.encoding = "UTF-8";
    if (utf8Errors == 0) {
        return page;
    }
    const std::size_t head = std::min(bytes.size(), kDeclarationWindow);
    const std::string declared =
        declaredCharset({reinterpret_cast<const char*>(bytes.data()), head});
    const CharsetFamily family = familyOf(declared);
    // Another CJK or legacy encoding named explicitly (big5, shift_jis ...) is believed; a
    // Western single-byte one on a Chinese page is far more often a default nobody changed.
    if (family == CharsetFamily::Other) {
        std::string converted;
        if (convertToUtf8(bytes, declared.c_str(), converted)) {
            return {std::move(converted), declared};
        }
    }
    std::string gb;
    const std::size_t gbErrors = convertToUtf8(bytes, "GB18030", gb).value_or(bytes.size() + 1);
    const bool preferUtf8 =
        family == CharsetFamily::Utf8 ? utf8Errors <= gbErrors : utf8Errors < gbErrors;
    if (!preferUtf8) {
        page.text = std::move(gb);
        page.encoding = "GB18030";
    }
    return page;
}

} // namespace

std::size_t byteOrderMarkLength(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return 3;
    }
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        return 2;
    }
    return 0;
}

std::string declaredCharset(std::string_view head) {
    const std::string lower = lowerAscii(head);
    for (std::size_t at = lower.find("charset"); at != std::string::npos;
         at = lower.find("charset", at + 1)) {
        std::string name = nameAfter(lower, at + 7);
        if (!name.empty()) {
            return name;
        }
    }
    if (lower.starts_with("<?xml")) {
        const std::size_t end = lower.find("?>");
        const std::size_t at = lower.find("encoding");
        if (at != std::string::npos && at < end) {
            return nameAfter(lower, at + 8);
        }
    }
    return {};
}

DecodedPage decodeHtmlPage(std::span<const std::uint8_t> bytes) {
    const std::size_t bom = byteOrderMarkLength(bytes);
    const auto content = bytes.subspan(bom);
    DecodedPage page;
    if (bom == 2) {
        page.encoding = bytes[0] == 0xFF ? "UTF-16LE" : "UTF-16BE";
        if (!convertToUtf8(content, page.encoding.c_str(), page.text, 2)) {
            repairUtf8(content, page.text);
            page.encoding = "UTF-8";
        }
    } else if (bom == 3) {
        repairUtf8(content, page.text);
        page.encoding = "UTF-8";
    } else {
        page = decodeWithoutBom(content);
    }
    replaceNulCharacters(page.text);
    return page;
}

} // namespace orvanto::imports
