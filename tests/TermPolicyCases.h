// One table of term.ini files, term options and dates, with the week the viewer and
// orvanto-cli must both give: the viewer's test runs the cases without options, the CLI's all.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanto::testing {

struct TermPolicyCase {
    const char* name;
    const char* termIni; // nullptr: there is no term.ini
    std::vector<std::string> options;
    std::chrono::year_month_day date;
    std::int16_t week;
    bool inTerm;
};

inline std::chrono::year_month_day ymd(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

inline const std::vector<TermPolicyCase>& termPolicyCases() {
    static const std::vector<TermPolicyCase> cases = {
        {"NoFile", nullptr, {}, ymd(2010, 3, 19), 3, true},
        {"MondayStart",
         "[term]\r\nstart=2026-09-07\r\nweeks=20\r\n",
         {},
         ymd(2026, 9, 16),
         2,
         true},
        // A Wednesday start counts from that week's Monday.
        {"WednesdayStart", "[term]\r\nstart=2026-09-09\r\n", {}, ymd(2026, 9, 16), 2, true},
        {"SundayStart", "[term]\nstart=2026-09-13\n", {}, ymd(2026, 9, 13), 1, true},
        {"StartNotADate", "[term]\r\nstart=2026-13-01\r\n", {}, ymd(2010, 3, 19), 3, true},
        {"StartBefore1900", "[term]\r\nstart=1899-12-25\r\n", {}, ymd(2010, 3, 19), 3, true},
        {"WeeksOutOfRange",
         "[term]\r\nstart=2026-09-07\r\nweeks=45\r\n",
         {},
         ymd(2027, 2, 1),
         22,
         true},
        {"UnreadableLineKeepsTheRest",
         "[term]\r\nstart 2026-09-07\r\nstart=2026-09-14\r\n",
         {},
         ymd(2026, 9, 16),
         1,
         true},
        {"StartOptionOverBadStart",
         "[term]\r\nstart=someday\r\n",
         {"--term-start", "2026-09-07"},
         ymd(2026, 9, 16),
         2,
         true},
        {"WeeksOptionOverBadWeeks",
         "[term]\r\nstart=2026-09-07\r\nweeks=45\r\n",
         {"--weeks", "20"},
         ymd(2027, 2, 1),
         22,
         false},
        {"WednesdayOptionOverFile",
         "[term]\r\nstart=2026-08-31\r\n",
         {"--term-start", "2026-09-09"},
         ymd(2026, 9, 16),
         2,
         true},
        {"OptionsWithoutFile", nullptr, {"--term-start", "2026-09-07"}, ymd(2026, 9, 16), 2, true},
    };
    return cases;
}

} // namespace orvanto::testing
