// One day's classes in time order, for status bars and scripts.
#pragma once

#include "core/Failure.h"
#include "core/Term.h"
#include "timetable/GridComposer.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanto::calendar {

struct AgendaEntry {
    int bigPeriod = 0;
    core::PeriodTime time;
    std::string course;
    std::string teacher;
    std::string room;
    bool operator==(const AgendaEntry&) const = default;
};

struct DayAgenda {
    std::chrono::year_month_day date;
    std::int16_t week = 0;
    bool inTerm = false; // outside the teaching weeks there are no entries
    std::vector<AgendaEntry> entries;
};

// The day's classes as the grid of its week shows them, each class meeting under a shown one
// right after it; a cell that cannot be read is the grid's failure. A date too far from the term to
// number its week is the overflow failure.
[[nodiscard]] core::Result<DayAgenda> agendaOf(const timetable::MarkedSheet& marked,
                                               const core::Term& term,
                                               std::chrono::year_month_day date);

} // namespace orvanto::calendar
