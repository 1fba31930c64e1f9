#include "ClassSeries.h"

#include "timetable/WeekRuns.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace orvanto::calendar {

std::vector<ClassSeries> groupIntoSeries(const std::vector<WeekMeeting>& meetings) {
    std::map<std::tuple<int, int, ClassLines>, std::set<int>> weeksOfClass;
    for (const WeekMeeting& meeting : meetings) {
        weeksOfClass[{meeting.bigPeriod, meeting.weekday, meeting.lines}].insert(meeting.week);
    }
    std::vector<ClassSeries> series;
    for (auto& [key, weeks] : weeksOfClass) {
        const auto& [bigPeriod, weekday, lines] = key;
        for (const timetable::WeekRun& run : timetable::splitIntoWeekRuns(std::move(weeks))) {
            series.push_back({bigPeriod, weekday, lines, static_cast<std::int16_t>(run.firstWeek),
                              run.interval, run.count});
        }
    }
    std::stable_sort(series.begin(), series.end(), [](const auto& a, const auto& b) {
        return std::tie(a.bigPeriod, a.weekday, a.firstWeek) <
               std::tie(b.bigPeriod, b.weekday, b.firstWeek);
    });
    return series;
}

} // namespace orvanto::calendar
