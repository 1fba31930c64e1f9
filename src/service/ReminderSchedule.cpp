#include "ReminderSchedule.h"

#include <utility>

namespace orvanto::service {

using namespace std::chrono;

ReminderSchedule::ReminderSchedule(Planner planner) : m_planner(std::move(planner)) {}

ReminderSchedule::Key ReminderSchedule::keyOf(const ClassReminder& reminder) {
    return {local_days{reminder.meeting.date}.time_since_epoch().count(),
            reminder.meeting.firstBigPeriod, reminder.meeting.course};
}

void ReminderSchedule::replan(local_seconds now) {
    const local_days today = floor<days>(now);
    m_planned = m_planner(year_month_day{today});
    m_plannedDay = today;
    m_lastTick = now;
    // Keys of days before yesterday can no longer come back into a plan.
    const days::rep oldest = (today - days{1}).time_since_epoch().count();
    std::erase_if(m_handled, [oldest](const Key& key) { return std::get<0>(key) < oldest; });
}

void ReminderSchedule::clear() {
    m_planned.clear();
    m_plannedDay.reset();
    m_lastTick.reset();
}

std::vector<ClassReminder> ReminderSchedule::tick(local_seconds now) {
    if (!m_plannedDay) {
        return {};
    }
    const bool woke = m_lastTick && (now - *m_lastTick > kWakeGap || now < *m_lastTick);
    if (floor<days>(now) != *m_plannedDay || woke) {
        replan(now);
    }
    m_lastTick = now;
    std::vector<ClassReminder> due;
    for (const ClassReminder& reminder : m_planned) {
        if (reminder.due > now || !m_handled.insert(keyOf(reminder)).second) {
            continue;
        }
        if (now - reminder.due <= kMaxLateness) {
            due.push_back(reminder);
        }
    }
    return due;
}

std::optional<local_seconds> ReminderSchedule::nextDue() const {
    for (const ClassReminder& reminder : m_planned) {
        if (!m_handled.contains(keyOf(reminder))) {
            return reminder.due;
        }
    }
    return std::nullopt;
}

} // namespace orvanto::service
