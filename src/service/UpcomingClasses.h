// Classes as the student goes to them: consecutive big periods of one class on a day make one
// class, from the first period's start to the last one's end. What comes next and what the
// reminders are about.
#pragma once

#include "Schedule.h"
#include "core/Failure.h"
#include "core/Term.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::service {

struct ClassMeeting {
    std::chrono::year_month_day date;
    std::int16_t week = 0;
    int weekday = 0;        // 0 Monday .. 6 Sunday
    int firstBigPeriod = 0; // 0..4
    int lastBigPeriod = 0;
    core::PeriodTime time; // the first period's start to the last one's end
    std::string course;
    std::string teacher;
    std::string room;
    bool operator==(const ClassMeeting&) const = default;
};

// The day's classes in time order, as the grid of its week shows them; none outside the term.
// The agenda's failures: a cell that cannot be read, a date too far to number its week.
[[nodiscard]] core::Result<std::vector<ClassMeeting>> classesOn(const Schedule& schedule,
                                                                std::chrono::year_month_day date);

// The first class of the term that has not ended at now (one under way counts until it ends);
// none when no class is left. A week whose grid cannot be composed is the failure.
[[nodiscard]] core::Result<std::optional<ClassMeeting>> nextClass(const Schedule& schedule,
                                                                  std::chrono::local_seconds now);

// When the class starts, on the local clock.
std::chrono::local_seconds startOf(const ClassMeeting& meeting);

} // namespace orvanto::service
