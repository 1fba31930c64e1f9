// An HTML page's bytes as UTF-8 text, whatever the page was saved in: a BOM decides; else valid
// UTF-8 is UTF-8; else a declared charset or, for UTF-8 and the GB family, GB18030.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvanto::imports {

struct DecodedPage {
    std::string text;     // valid UTF-8 without a BOM; a byte that cannot be decoded is U+FFFD
    std::string encoding; // what the bytes were read as: "UTF-8", "GB18030", "UTF-16LE", ...
};

// The length of a UTF-8 or UTF-16 byte order mark at the start of bytes, 0 when none.
std::size_t byteOrderMarkLength(std::span<const std::uint8_t> bytes);

// The charset a page names in its first bytes (<meta charset=...>, a Content-Type meta or an
// XML declaration's encoding), lower case; "" when it names none.
std::string declaredCharset(std::string_view head);

// gb2312 and gbk are read as their superset GB18030; a declaration that contradicts the bytes
// (UTF-8 text under a gb2312 meta, GBK bytes under a utf-8 one) loses to the bytes.
DecodedPage decodeHtmlPage(std::span<const std::uint8_t> bytes);

} // namespace orvanto::imports
