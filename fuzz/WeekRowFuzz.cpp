// Fuzz target: the week row rules on arbitrary text. The first two bytes pick the week
// (any 16-bit value, so weeks outside the term and negative ones are tried too); the
// rest is the week row's text as the workbook gave it (UTF-8, possibly malformed).
// The check's reading of the same text must hold its promise: a text it offers in place of
// the row is read by the rule as the row was meant.
#include "Keep.h"
#include "core/Utf8.h"
#include "timetable/VbText.h"
#include "timetable/WeekFilter.h"
#include "timetable/WeekRowReading.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace orvanto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto week = static_cast<std::int16_t>(data[0] | (data[1] << 8));
    const std::string_view utf8(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::u16string text = core::toUtf16(utf8);

    std::size_t sum = timetable::weekRowMatches(text, week) ? 1 : 0;
    const double number = timetable::val(text);
    const auto rounded = timetable::cint(number);
    sum += rounded ? static_cast<std::size_t>(*rounded) : rounded.failure().detail.size();
    // The pieces the filter reads: the first week after "{" + one character, the last
    // after the first "-".
    const int brace = timetable::instr(text, u"{");
    const int dash = timetable::instr(text, u"-");
    sum += static_cast<std::size_t>(timetable::val(timetable::mid(text, brace + 2, 2)) != 0);
    sum += timetable::mid(text, dash + 1, 2).size();
    sum += core::toUtf8(text).size();

    core::Term term;
    term.weeks = 1 + (data[0] % core::kMaxTermWeeks);
    if (const auto problem = timetable::readWeekRow(utf8, term)) {
        if (!problem->rewrite.empty() && timetable::admittedWeeks(problem->rewrite, term) !=
                                             timetable::intendedWeeks(utf8, term)) {
            std::abort();
        }
        sum += problem->reason.size();
    }
    fuzz::keep(sum);
    return 0;
}
