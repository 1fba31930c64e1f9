// A set of weeks as runs that repeat every week or every other week: what one week row of a
// class block, or one calendar series, can say without exceptions.
#pragma once

#include <set>
#include <vector>

namespace orvanto::timetable {

// firstWeek, firstWeek + interval, ... count weeks in all.
struct WeekRun {
    int firstWeek = 1;
    int interval = 1; // 1 every week, 2 every other week
    int count = 1;
    int lastWeek() const { return firstWeek + (count - 1) * interval; }
    bool operator==(const WeekRun&) const = default;
};

// Every week lands in exactly one run; runs come in order of their first week.
std::vector<WeekRun> splitIntoWeekRuns(std::set<int> weeks);

} // namespace orvanto::timetable
