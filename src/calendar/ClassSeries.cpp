#include "ClassSeries.h"

#include "timetable/WeekRuns.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace orvanto::calendar {

std::vector<ClassSeries> groupIntoSeries(const std::vector<WeekMeeting>& meetings) {
    struct Weeks {
        std::set<int> weeks;
        int rank = 0;
    };
    std::map<std::tuple<int, int, ClassLines>, Weeks> weeksOfClass;
    for (const WeekMeeting& meeting : meetings) {
        auto [it, added] =
            weeksOfClass.try_emplace({meeting.bigPeriod, meeting.weekday, meeting.lines});
        it->second.weeks.insert(meeting.week);
        it->second.rank = added ? meeting.rank : std::min(it->second.rank, meeting.rank);
    }
    std::vector<ClassSeries> series;
    for (auto& [key, of] : weeksOfClass) {
        const auto& [bigPeriod, weekday, lines] = key;
        for (const timetable::WeekRun& run : timetable::splitIntoWeekRuns(std::move(of.weeks))) {
            series.push_back({bigPeriod, weekday, lines, static_cast<std::int16_t>(run.firstWeek),
                              run.interval, run.count, of.rank});
        }
    }
    std::stable_sort(series.begin(), series.end(), [](const auto& a, const auto& b) {
        return std::tie(a.bigPeriod, a.weekday, a.firstWeek, a.rank) <
               std::tie(b.bigPeriod, b.weekday, b.firstWeek, b.rank);
    });
    const auto pattern = [](const ClassSeries& s) {
        return std::tie(s.bigPeriod, s.weekday, s.firstWeek, s.interval, s.count);
    };
    for (std::size_t i = 0; i < series.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            series[i].twin += pattern(series[j]) == pattern(series[i]) ? 1 : 0;
        }
    }
    return series;
}

} // namespace orvanto::calendar
