// What reminders.ini holds: whether and how long before a class the student is reminded, the
// tray icon and the start at login, and what is said of a setting not taken as written.
#pragma once

#include <string>
#include <vector>

namespace orvanto::settings {

inline constexpr int kMaxReminderMinutes = 120;

struct Reminders {
    bool enabled = false;
    int minutes = 10; // before the class starts, 0..kMaxReminderMinutes
    bool sound = false;
    bool tray = false;
    bool autostart = false;
    bool operator==(const Reminders&) const = default;
};

// A setting of reminders.ini that was not taken as written.
struct ReminderNotice {
    enum class Problem {
        NotOnOff,          // enabled, sound, tray or autostart is neither 0 nor 1
        MinutesOutOfRange, // minutes is not a whole number from 0 to 120
        UnrecognisedLine,  // neither [section], key=value, a comment nor blank
        FileUnreadable,    // the whole file: not a readable text file; all stays off
    };
    Problem problem = Problem::NotOnOff;
    std::string key;   // the setting's name, or the line number
    std::string value; // as written, at most 40 characters, control characters escaped
    bool operator==(const ReminderNotice&) const = default;
};

struct StoredReminders {
    Reminders reminders;
    std::vector<ReminderNotice> notices;
    bool fileExists = false;
};

} // namespace orvanto::settings
