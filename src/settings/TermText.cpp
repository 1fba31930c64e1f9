#include "TermText.h"

#include "IniText.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstdio>

namespace orvanto::settings {

using namespace std::chrono;

std::optional<int> parseClockTime(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() - colon != 3) {
        return std::nullopt;
    }
    const auto hours = wholeNumber<int>(text.substr(0, colon));
    const auto minutes = wholeNumber<int>(text.substr(colon + 1));
    if (!hours || !minutes || *hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59) {
        return std::nullopt;
    }
    return *hours * 60 + *minutes;
}

std::optional<TermNotice::Problem> editionProblem(std::string_view edition) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    if (!core::isValidUtf8(edition) || std::any_of(edition.begin(), edition.end(), control)) {
        return TermNotice::Problem::EditionNotText;
    }
    if (characterCount(edition) > kMaxEditionCharacters) {
        return TermNotice::Problem::EditionTooLong;
    }
    return std::nullopt;
}

std::optional<year_month_day> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto y = wholeNumber<int>(text.substr(0, 4));
    const auto m = wholeNumber<unsigned>(text.substr(5, 2));
    const auto d = wholeNumber<unsigned>(text.substr(8, 2));
    if (!y || !m || !d) {
        return std::nullopt;
    }
    const year_month_day date{year{*y}, month{*m}, day{*d}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

std::optional<core::PeriodTime> parsePeriod(std::string_view text) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto start = parseClockTime(trimmedBlanks(text.substr(0, dash)));
    const auto end = parseClockTime(trimmedBlanks(text.substr(dash + 1)));
    if (!start || !end || *end <= *start) {
        return std::nullopt;
    }
    return core::PeriodTime{*start, *end};
}

std::string isoDate(year_month_day date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string periodText(const core::PeriodTime& period) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d-%02d:%02d", period.start / 60,
                  period.start % 60, period.end / 60, period.end % 60);
    return buffer;
}

} // namespace orvanto::settings
