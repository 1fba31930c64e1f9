#include "OoxmlValues.h"

#include "core/Utf8.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace orvanto::spreadsheet::ooxml {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads exactly count digits at pos; nothing if any is missing.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Days from 1970-01-01 to a proleptic Gregorian date.
long long daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yoe = year - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

// "HH:MM", "HH:MM:SS" or "HH:MM:SS.fff" as a fraction of a day.
std::optional<double> parseTime(std::string_view text) {
    if (!text.empty() && text.back() == 'Z') {
        text.remove_suffix(1);
    }
    const auto hours = digits(text, 0, 2);
    const auto minutes = digits(text, 3, 2);
    if (!hours || !minutes || text[2] != ':' || *hours > 24 || *minutes > 59) {
        return std::nullopt;
    }
    double seconds = 0;
    if (text.size() > 5) {
        if (text[5] != ':' || text.size() < 8) {
            return std::nullopt;
        }
        const auto parsed = parseNumber(text.substr(6));
        if (!parsed || !isDigit(text[6]) || *parsed < 0 || *parsed >= 61) {
            return std::nullopt;
        }
        seconds = *parsed;
    }
    return (*hours * 3600.0 + *minutes * 60.0 + seconds) / 86400.0;
}

// The code unit of an escape "_xHHHH_" starting at pos.
std::optional<std::uint32_t> escapeAt(std::string_view text, std::size_t pos) {
    if (pos + 7 > text.size() || text[pos] != '_' || text[pos + 1] != 'x' || text[pos + 6] != '_') {
        return std::nullopt;
    }
    std::uint32_t unit = 0;
    const auto result = std::from_chars(text.data() + pos + 2, text.data() + pos + 6, unit, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + pos + 6) {
        return std::nullopt;
    }
    return unit;
}

} // namespace

std::optional<CellReference> parseCellReference(std::string_view text) {
    CellReference ref;
    std::size_t i = 0;
    while (i < text.size() && i < 4 && text[i] >= 'A' && text[i] <= 'Z') {
        ref.column = ref.column * 26 + (text[i] - 'A' + 1);
        ++i;
    }
    if (i == 0 || ref.column > kMaxColumns) {
        return std::nullopt;
    }
    const auto row = parseRowNumber(text.substr(i));
    if (!row) {
        return std::nullopt;
    }
    ref.row = *row;
    return ref;
}

std::optional<int> parseRowNumber(std::string_view text) {
    int row = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), row);
    if (text.empty() || !isDigit(text[0]) || result.ec != std::errc() ||
        result.ptr != text.data() + text.size() || row < 1 || row > kMaxRows) {
        return std::nullopt;
    }
    return row;
}

std::optional<long long> parseIndex(std::string_view text) {
    text = trimmed(text);
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || !isDigit(text[0]) || result.ec != std::errc() ||
        result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseBoolean(std::string_view text) {
    text = trimmed(text);
    if (text == "1" || text == "true") {
        return true;
    }
    if (text == "0" || text == "false") {
        return false;
    }
    return std::nullopt;
}

std::optional<double> parseIsoDate(std::string_view text, bool date1904) {
    text = trimmed(text);
    if (text.size() >= 5 && text[2] == ':') {
        return parseTime(text);
    }
    if (!text.empty() && text[0] == 'T') {
        return parseTime(text.substr(1));
    }
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-' || *month < 1 || *month > 12 ||
        *day < 1 || *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    double fraction = 0;
    if (text.size() > 10) {
        if (text[10] != 'T') {
            return std::nullopt;
        }
        const auto time = parseTime(text.substr(11));
        if (!time) {
            return std::nullopt;
        }
        fraction = *time;
    }
    const long long days = daysFromCivil(*year, *month, *day);
    double serial;
    if (date1904) {
        serial = static_cast<double>(days - daysFromCivil(1904, 1, 1));
    } else {
        serial = static_cast<double>(days - daysFromCivil(1899, 12, 30));
        // The 1900 system counts a 29 February 1900 that never was; days before it are one less.
        if (serial < 61) {
            serial -= 1;
        }
    }
    if (serial < 0) {
        return std::nullopt;
    }
    return serial + fraction;
}

std::string decodeEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto unit = escapeAt(text, i);
        if (!unit) {
            out += text[i++];
            continue;
        }
        i += 7;
        std::uint32_t code = *unit;
        if (code >= 0xD800 && code <= 0xDBFF) {
            const auto low = escapeAt(text, i);
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
                i += 7;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code != 0) {
            core::appendUtf8(out, static_cast<char32_t>(code));
        }
    }
    return out;
}

} // namespace orvanto::spreadsheet::ooxml
