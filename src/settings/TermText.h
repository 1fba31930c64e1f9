// The values of a term as term.ini and the programs write them: dates, periods, clock times, the
// edition's rule, and what is said of a setting that was not taken as written.
#pragma once

#include "core/Term.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvanto::settings {

// A setting of term.ini that was not taken as written; each program words it for its user.
struct TermNotice {
    enum class Problem {
        NotADate,         // start is not YYYY-MM-DD; the default stands
        StartOutOfRange,  // start is a date before 1900 or after 9999; the default stands
        NotAMonday,       // start is a date but not a Monday: the Monday of its week is used
        WeeksOutOfRange,  // weeks is not a whole number from 1 to 30
        EditionNotText,   // edition is not UTF-8 or holds control characters
        EditionTooLong,   // edition has more than 60 characters
        NotAPeriod,       // a period is not HH:MM-HH:MM ending after it starts
        UnrecognisedLine, // neither [section], key=value, a comment nor blank
        FileUnreadable,   // the whole file: not a readable text file; every default stands
    };
    Problem problem = Problem::NotADate;
    std::string key;   // "start", "weeks", "edition", "3" (a period), or the line number
    std::string value; // as written, at most 40 characters, control characters escaped
    bool operator==(const TermNotice&) const = default;
};

// Why an edition text cannot be used, or nothing: the one rule of term.ini and the term window.
// Characters are counted as code points, so a CJK or emoji character counts one.
std::optional<TermNotice::Problem> editionProblem(std::string_view edition);
inline constexpr std::size_t kMaxEditionCharacters = 60;

// "2026-09-07" exactly (four-digit year, two-digit month and day); nothing when it names no date.
std::optional<std::chrono::year_month_day> parseIsoDate(std::string_view text);
// "08:00-09:40" (one- or two-digit hours), the end after the start; nothing otherwise.
std::optional<core::PeriodTime> parsePeriod(std::string_view text);

// "08:00" or "8:00", 00:00 to 23:59, as minutes since midnight; nothing otherwise.
std::optional<int> parseClockTime(std::string_view text);

// "2026-09-07"; "08:00-09:40".
std::string isoDate(std::chrono::year_month_day date);
std::string periodText(const core::PeriodTime& period);

} // namespace orvanto::settings
