// The reminders of the classes around a day: each class, as the grid of its week shows it,
// reminded once a set number of minutes before it starts.
#pragma once

#include "Schedule.h"
#include "UpcomingClasses.h"

#include <chrono>
#include <vector>

namespace orvanto::service {

struct ClassReminder {
    std::chrono::local_seconds due;
    ClassMeeting meeting;
    bool operator==(const ClassReminder&) const = default;
};

// The reminders of the classes of today and tomorrow, so that one whose lead reaches back over
// midnight is there before midnight; in order of when they fall due. A day whose grid cannot be
// composed has none.
std::vector<ClassReminder> remindersAround(const Schedule& schedule,
                                           std::chrono::year_month_day today,
                                           std::chrono::minutes lead);

} // namespace orvanto::service
