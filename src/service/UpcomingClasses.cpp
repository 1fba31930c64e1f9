#include "UpcomingClasses.h"

#include "timetable/TeachingWeek.h"

#include <algorithm>

namespace orvanto::service {

namespace {

using namespace std::chrono;

// The same class in the period right after the last one joined: a double period is one class.
bool continues(const ClassMeeting& meeting, const calendar::AgendaEntry& entry) {
    return entry.bigPeriod == meeting.lastBigPeriod + 1 && entry.course == meeting.course &&
           entry.teacher == meeting.teacher && entry.room == meeting.room;
}

} // namespace

core::Result<std::vector<ClassMeeting>> classesOn(const Schedule& schedule, year_month_day date) {
    const auto agenda = schedule.agenda(date);
    if (!agenda) {
        return agenda.failure();
    }
    std::vector<ClassMeeting> meetings;
    for (const calendar::AgendaEntry& entry : agenda->entries) {
        if (!meetings.empty() && continues(meetings.back(), entry)) {
            meetings.back().lastBigPeriod = entry.bigPeriod;
            meetings.back().time.end = std::max(meetings.back().time.end, entry.time.end);
            continue;
        }
        meetings.push_back({date, agenda->week, timetable::weekdayIndex(date), entry.bigPeriod,
                            entry.bigPeriod, entry.time, entry.course, entry.teacher, entry.room});
    }
    return meetings;
}

local_seconds startOf(const ClassMeeting& meeting) {
    return local_days{meeting.date} + minutes{meeting.time.start};
}

core::Result<std::optional<ClassMeeting>> nextClass(const Schedule& schedule, local_seconds now) {
    const core::Term& term = schedule.term();
    const local_days firstDay{term.firstMonday};
    const local_days lastDay = firstDay + weeks{term.weeks} - days{1};
    const local_days today = floor<days>(now);
    for (local_days day = std::max(today, firstDay); day <= lastDay; day += days{1}) {
        const auto classes = classesOn(schedule, year_month_day{day});
        if (!classes) {
            return classes.failure();
        }
        for (const ClassMeeting& meeting : *classes) {
            if (day + minutes{meeting.time.end} > now) {
                return std::optional<ClassMeeting>(meeting);
            }
        }
    }
    return std::optional<ClassMeeting>();
}

} // namespace orvanto::service
