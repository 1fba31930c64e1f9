// Text in the system code page (the ANSI code page on Windows, UTF-8 elsewhere), as settings
// files written by older editions hold it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::platform {

// Bytes in the system code page to UTF-8; nothing when the bytes are not valid text in that
// code page.
std::optional<std::string> decodeText(std::string_view bytes);

// UTF-8 to the system code page; nothing when a character has no place in it.
std::optional<std::string> encodeText(std::string_view utf8);

} // namespace orvanto::platform
