// A week row as a student means it, set beside what the week rule makes of it: which rows
// will hide a class in weeks the student wrote, why, and how to write them instead.
#pragma once

#include "core/Term.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace orvanto::timetable {

struct WeekRowProblem {
    enum class Kind {
        NoWeek, // the rule admits no week of the term
        Partly, // the rule admits some of the weeks written, or others
    };
    Kind kind = Kind::NoWeek;
    // Why, for the student ("全角连字符"), and what to do instead ("应写作 {第1-16周}");
    // either may be empty.
    std::string reason;
    std::string fix;
    // The text to write in place of the row, which the rule reads as the row was meant;
    // empty when no single row can say it.
    std::string rewrite;
};

// The weeks of the term a reader takes the text to name: ranges and single weeks with any
// dash, tilde, "至" or comma between them, full-width digits read as digits, and "单周" /
// "双周" keeping odd or even weeks.
std::set<int> intendedWeeks(std::string_view weekRow, const core::Term& term);

// The weeks of the term the week rule admits (weekRowMatches).
std::set<int> admittedWeeks(std::string_view weekRow, const core::Term& term);

// "1-8、10-16", "1-15单周": a set of weeks as a student writes it.
std::string describeWeeks(const std::set<int>& weeks);

// Nothing when the rule admits exactly the weeks the text names. A blank text is left to the
// caller: whether it matters depends on the block around it.
std::optional<WeekRowProblem> readWeekRow(std::string_view weekRow, const core::Term& term);

} // namespace orvanto::timetable
