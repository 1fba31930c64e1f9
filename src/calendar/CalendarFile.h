// The term's classes as an iCalendar file (RFC 5545), built and serialised by libical: it does
// the escaping, the line folding and the time-zone encoding.
#pragma once

#include "ClassSeries.h"
#include "core/Failure.h"
#include "core/Term.h"
#include "timetable/GridComposer.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::calendar {

// Class times are wall-clock times in China; every event carries this zone.
inline constexpr std::string_view kTimeZone = "Asia/Shanghai";

struct CalendarExport {
    std::string text;
    int events = 0;   // VEVENTs, one per series
    int meetings = 0; // the classes those events stand for
};

// Names the series, never its texts: the term's first Monday, the slot and the week pattern
// (first week, step, count). Importing a new export then updates an event whose course,
// teacher or room changed instead of adding a second one beside it. Two classes that meet
// together in every week of one pattern are told apart by their order in the slot, the upper
// one keeping the plain UID.
std::string eventUid(const ClassSeries& series, const core::Term& term);

// stamp is every event's DTSTAMP: when the file was made.
std::string calendarText(const std::vector<ClassSeries>& series, const core::Term& term,
                         std::chrono::sys_seconds stamp);

// Every class of every teaching week. A week whose composition fails fails the export with
// the grid's failure; its subject then is that week's number ("5").
[[nodiscard]] core::Result<CalendarExport> exportCalendar(const timetable::MarkedSheet& marked,
                                                          const core::Term& term,
                                                          std::chrono::sys_seconds stamp);

} // namespace orvanto::calendar
