// A class's meetings over the term as calendar series: runs of weeks that repeat every week or
// every other week, so that a calendar never needs an exclusion to show them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanto::calendar {

// The three lines of a grid cell: course, teacher, room as the workbook words them.
using ClassLines = std::array<std::string, 3>;

// A class as the grid shows it in one teaching week.
struct WeekMeeting {
    int bigPeriod = 0; // 0..4
    int weekday = 0;   // 0 Monday .. 6 Sunday
    ClassLines lines;
    std::int16_t week = 1;
    // 0 for the class the cell shows; for a class under it, its block's first row. Orders the
    // classes of one slot top to bottom.
    int rank = 0;
    bool operator==(const WeekMeeting&) const = default;
};

// Meetings of one class in one slot: firstWeek, firstWeek + interval, ... count of them.
struct ClassSeries {
    int bigPeriod = 0;
    int weekday = 0;
    ClassLines lines;
    std::int16_t firstWeek = 1;
    int interval = 1; // 1 every week, 2 every other week
    int count = 1;
    int rank = 0; // the lowest rank of its meetings
    // Series before it of the same slot and weeks: two classes that always meet together.
    int twin = 0;
    bool operator==(const ClassSeries&) const = default;
};

// Groups the meetings of each class (same slot, same three lines) into regular series. An
// irregular set of weeks becomes several series; every meeting lands in exactly one. Sorted by
// slot, then first week, then rank; twins are numbered in that order.
std::vector<ClassSeries> groupIntoSeries(const std::vector<WeekMeeting>& meetings);

} // namespace orvanto::calendar
