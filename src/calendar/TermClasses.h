// Every class of every teaching week of a term, read through the same week composition the
// grid shows.
#pragma once

#include "ClassSeries.h"
#include "core/Failure.h"
#include "core/Term.h"
#include "timetable/GridComposer.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvanto::calendar {

struct TermClasses {
    std::vector<WeekMeeting> meetings; // week by week, each in grid cell order
    // The first week whose composition failed (a cell that cannot be read): the export stops
    // there rather than leave that week out.
    std::optional<core::Failure> failure;
    std::int16_t failedWeek = 0;
};

// A cell shows a class when its caption holds more than line breaks.
bool showsClass(const timetable::GridCell& cell);

// A class that meets in a cell: the shown one (rank 0) or one under it (its block's row).
struct ShownClass {
    ClassLines lines;
    int rank = 0;
};

// Every class that meets in the cell, the shown one first.
std::vector<ShownClass> classesOf(const timetable::GridCell& cell);

// Weeks 1 to term.weeks.
TermClasses collectTermClasses(const timetable::MarkedSheet& marked, const core::Term& term);

} // namespace orvanto::calendar
