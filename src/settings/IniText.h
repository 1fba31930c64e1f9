// What term.ini and reminders.ini share: the file read whole and small, its lines as sections
// and key=value settings, and a written value shown back safely in a notice.
#pragma once

#include <charconv>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace orvanto::settings {

// A settings file is a few hundred bytes; anything far larger is not one.
inline constexpr std::size_t kMaxIniFileSize = 64 * 1024;

struct IniFile {
    enum class State { Missing, Unreadable, Read };
    State state = State::Missing;
    std::string text; // Read: the bytes
};

// The file's text; Unreadable when it is not a regular file, cannot be read, is larger than
// kMaxIniFileSize or holds a NUL byte.
IniFile readIniFile(const std::filesystem::path& file);

// A settings file parsed: Stored as parse gives it, default for a missing file, and for an
// unreadable one the default with the one notice that says so.
template <class Stored, class Notice>
Stored readSettingsFile(const std::filesystem::path& file, Stored (*parse)(std::string_view),
                        Notice unreadable) {
    const IniFile read = readIniFile(file);
    if (read.state == IniFile::State::Read) {
        return parse(read.text);
    }
    Stored stored;
    if (read.state == IniFile::State::Unreadable) {
        stored.fileExists = true;
        stored.notices.push_back(std::move(unreadable));
    }
    return stored;
}

// One line that is neither blank nor a comment, numbered from 1.
struct IniLine {
    std::size_t number = 0;
    std::string section; // lower case; empty before the first [section]
    std::string key;     // lower case; empty for a line that is not key=value
    std::string_view value;
    std::string_view text;   // the line, trimmed
    bool recognised = false; // key=value; otherwise neither that, a [section] nor a comment
};

// Calls line for each setting and each unrecognised line; [section] lines only change the
// section. A UTF-8 BOM, LF or CR LF, blanks around '=', keys and sections in any case.
void forEachIniLine(std::string_view text, const std::function<void(const IniLine&)>& line);

// The text without spaces and tabs around it.
std::string_view trimmedBlanks(std::string_view text);

// Characters counted as code points, so a CJK or emoji character counts one.
std::size_t characterCount(std::string_view text);

// The value as a notice shows it: at most 40 characters, control characters escaped.
std::string shownValue(std::string_view value);

template <class Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace orvanto::settings
