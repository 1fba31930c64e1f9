#include "ClassSeries.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace orvanto::calendar {

namespace {

int runLength(const std::set<std::int16_t>& weeks, std::int16_t first, int step) {
    int length = 0;
    for (int week = first; weeks.contains(static_cast<std::int16_t>(week)); week += step) {
        ++length;
    }
    return length;
}

} // namespace

std::vector<ClassSeries> groupIntoSeries(const std::vector<WeekMeeting>& meetings) {
    std::map<std::tuple<int, int, ClassLines>, std::set<std::int16_t>> weeksOfClass;
    for (const WeekMeeting& meeting : meetings) {
        weeksOfClass[{meeting.bigPeriod, meeting.weekday, meeting.lines}].insert(meeting.week);
    }
    std::vector<ClassSeries> series;
    for (auto& [key, weeks] : weeksOfClass) {
        const auto& [bigPeriod, weekday, lines] = key;
        // From the earliest week left, take the longer of the weekly and the every-other-week
        // run: a block's odd or even weeks stay one series even beside a weekly one.
        while (!weeks.empty()) {
            const std::int16_t first = *weeks.begin();
            const int weekly = runLength(weeks, first, 1);
            const int alternate = runLength(weeks, first, 2);
            const int interval = alternate > weekly ? 2 : 1;
            const int count = std::max(weekly, alternate);
            for (int i = 0; i < count; ++i) {
                weeks.erase(static_cast<std::int16_t>(first + i * interval));
            }
            series.push_back({bigPeriod, weekday, lines, first, interval, count});
        }
    }
    std::stable_sort(series.begin(), series.end(), [](const auto& a, const auto& b) {
        return std::tie(a.bigPeriod, a.weekday, a.firstWeek) <
               std::tie(b.bigPeriod, b.weekday, b.firstWeek);
    });
    return series;
}

} // namespace orvanto::calendar
