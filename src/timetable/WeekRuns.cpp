#include "WeekRuns.h"

#include <algorithm>

namespace orvanto::timetable {

namespace {

int runLength(const std::set<int>& weeks, int first, int step) {
    int length = 0;
    for (int week = first; weeks.contains(week); week += step) {
        ++length;
    }
    return length;
}

} // namespace

std::vector<WeekRun> splitIntoWeekRuns(std::set<int> weeks) {
    std::vector<WeekRun> runs;
    // From the earliest week left, take the longer of the weekly and the every-other-week run:
    // a block's odd or even weeks stay one run even beside a weekly one.
    while (!weeks.empty()) {
        const int first = *weeks.begin();
        const int weekly = runLength(weeks, first, 1);
        const int alternate = runLength(weeks, first, 2);
        const int interval = alternate > weekly ? 2 : 1;
        const int count = std::max(weekly, alternate);
        for (int i = 0; i < count; ++i) {
            weeks.erase(first + i * interval);
        }
        runs.push_back({first, interval, count});
    }
    return runs;
}

} // namespace orvanto::timetable
