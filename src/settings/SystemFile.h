// What settings files need from the operating system: text in the system code page and
// replacing a file's contents so that a failed write leaves the old contents intact.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvanto::settings::system {

// Bytes in the system code page (the ANSI code page on Windows, UTF-8 elsewhere) to UTF-8;
// nothing when the bytes are not valid text in that code page.
std::optional<std::string> decodeText(std::string_view bytes);

// UTF-8 to the system code page; nothing when a character has no place in it.
std::optional<std::string> encodeText(std::string_view utf8);

// Writes bytes to a temporary file beside file, flushes it to disk and renames it over file.
// On failure file is untouched and the reason (English, for diagnostics) is returned.
std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace orvanto::settings::system
