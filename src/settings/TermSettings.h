// term.ini beside path.ini: the student's own term (first Monday, number of weeks, edition
// text, the five big periods' times). UTF-8, written with CR LF. No file, or no key, means the
// default term for it; a value that cannot be used is ignored and reported, never rewritten.
#pragma once

#include "core/Failure.h"
#include "core/Term.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

struct StoredTerm {
    core::Term term;
    std::vector<TermNotice> notices;
    bool fileExists = false;
};

class TermSettings {
  public:
    explicit TermSettings(std::filesystem::path file);

    // term.ini in the same folder as path.ini.
    static TermSettings besidePathIni(const std::filesystem::path& pathIni);

    const std::filesystem::path& file() const { return m_file; }

    StoredTerm read() const;

    // Replaces the file atomically with the term in the file's one shape; the old file stays
    // as it was when this fails.
    [[nodiscard]] core::Result<void> write(const core::Term& term) const;

    // The text of a term.ini, forgiving: LF or CR LF, blanks around '=', a UTF-8 BOM, keys
    // and sections in any order, the last of a repeated key.
    static StoredTerm parse(std::string_view text);
    static std::string format(const core::Term& term);

  private:
    std::filesystem::path m_file;
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
