// When to remind the student of a class, driven by the clock it is given: each reminder once,
// none shown late after a sleep, the plan worked out again at a new date or after a wake.
#pragma once

#include "ClassReminders.h"

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace orvanto::service {

class ReminderSchedule {
  public:
    // The reminders around a day (remindersAround over the schedule shown).
    using Planner = std::function<std::vector<ClassReminder>(std::chrono::year_month_day today)>;

    // A reminder this late is not shown at all: the class has begun or is about to.
    static constexpr std::chrono::minutes kMaxLateness{2};
    // Ticks further apart than this mean the machine slept (or the clock was set).
    static constexpr std::chrono::minutes kWakeGap{2};

    explicit ReminderSchedule(Planner planner);

    // Works the plan out again: the workbook, the term or the lead changed. Reminders already
    // shown or dropped stay so.
    void replan(std::chrono::local_seconds now);
    // Stops reminding until the next replan.
    void clear();

    // What falls due by now, each reminder once; one more than kMaxLateness late is dropped
    // unseen. Replans first at a new date or after a gap between ticks.
    std::vector<ClassReminder> tick(std::chrono::local_seconds now);

    // When the next reminder falls due; none when none is planned.
    std::optional<std::chrono::local_seconds> nextDue() const;
    const std::vector<ClassReminder>& planned() const { return m_planned; }

  private:
    // A class on a day and in a slot: the same class after a replan keeps its key.
    using Key = std::tuple<std::chrono::days::rep, int, std::string>;
    static Key keyOf(const ClassReminder& reminder);

    Planner m_planner;
    std::vector<ClassReminder> m_planned;
    std::set<Key> m_handled;
    std::optional<std::chrono::local_seconds> m_lastTick;
    std::optional<std::chrono::local_days> m_plannedDay;
};

} // namespace orvanto::service
