#include "IniText.h"

#include "core/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace orvanto::settings {

namespace {

constexpr std::size_t kShownValueCharacters = 40;

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return out;
}

} // namespace

std::string_view trimmedBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        core::decodeUtf8(text, i);
    }
    return count;
}

IniFile readIniFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    const IniFile unreadable{IniFile::State::Unreadable, {}};
    if (error || status.type() != std::filesystem::file_type::regular) {
        return unreadable;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    bytes.resize(kMaxIniFileSize + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || !in.is_open()) {
        return unreadable;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxIniFileSize || bytes.find('\0') != std::string::npos) {
        return unreadable;
    }
    return {IniFile::State::Read, std::move(bytes)};
}

void forEachIniLine(std::string_view text, const std::function<void(const IniLine&)>& line) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::string section;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view content = trimmedBlanks(text.substr(0, end));
        if (end == std::string_view::npos) {
            text = {};
        } else {
            text.remove_prefix(end + (text.substr(end).starts_with("\r\n") ? 2 : 1));
        }
        if (content.empty() || content.front() == ';' || content.front() == '#') {
            continue;
        }
        IniLine parsed{number, section, {}, {}, content, false};
        if (content.front() == '[') {
            if (content.back() == ']') {
                section = lowered(trimmedBlanks(content.substr(1, content.size() - 2)));
                continue;
            }
        } else if (const auto equals = content.find('='); equals != std::string_view::npos) {
            parsed.key = lowered(trimmedBlanks(content.substr(0, equals)));
            parsed.value = trimmedBlanks(content.substr(equals + 1));
            parsed.recognised = true;
        }
        line(parsed);
    }
}

std::string shownValue(std::string_view value) {
    std::string out;
    std::size_t count = 0;
    for (std::size_t i = 0; i < value.size() && count < kShownValueCharacters; ++count) {
        const std::size_t at = i;
        const char32_t cp = core::decodeUtf8(value, i);
        const bool malformed =
            cp == core::kReplacementCharacter && !value.substr(at).starts_with("\xEF\xBF\xBD");
        if (cp < 0x20 || cp == 0x7F || malformed) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X",
                          malformed ? static_cast<unsigned char>(value[at])
                                    : static_cast<unsigned>(cp));
            out += escaped;
        } else {
            core::appendUtf8(out, cp);
        }
    }
    if (count == kShownValueCharacters && characterCount(value) > kShownValueCharacters) {
        out += "...";
    }
    return out;
}

} // namespace orvanto::settings
