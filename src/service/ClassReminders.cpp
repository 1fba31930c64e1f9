#include "ClassReminders.h"

#include <algorithm>

namespace orvanto::service {

using namespace std::chrono;

std::vector<ClassReminder> remindersAround(const Schedule& schedule, year_month_day today,
                                           minutes lead) {
    std::vector<ClassReminder> reminders;
    for (const local_days day : {local_days{today}, local_days{today} + days{1}}) {
        const auto classes = classesOn(schedule, year_month_day{day});
        if (!classes) {
            continue; // the grid says what is wrong when the student looks
        }
        for (const ClassMeeting& meeting : *classes) {
            reminders.push_back({startOf(meeting) - lead, meeting});
        }
    }
    std::stable_sort(reminders.begin(), reminders.end(),
                     [](const ClassReminder& a, const ClassReminder& b) { return a.due < b.due; });
    return reminders;
}

} // namespace orvanto::service
