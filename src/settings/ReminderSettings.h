// reminders.ini beside term.ini: whether and how long before a class the student is reminded,
// the tray icon and the start at login. UTF-8, written with CR LF. No file means all off; a
// value that cannot be used is ignored and reported, never rewritten.
#pragma once

#include "core/Failure.h"

#include <filesystem>
#include <string>
#include <string_view>
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

class ReminderSettings {
  public:
    explicit ReminderSettings(std::filesystem::path file);

    const std::filesystem::path& file() const { return m_file; }

    StoredReminders read() const;
    // Replaces the file atomically; the old file stays as it was when this fails.
    [[nodiscard]] core::Result<void> write(const Reminders& reminders) const;

    // Forgiving as term.ini is: LF or CR LF, blanks, a BOM, any order, the last of a repeated key.
    static StoredReminders parse(std::string_view text);
    static std::string format(const Reminders& reminders);

  private:
    std::filesystem::path m_file;
};

} // namespace orvanto::settings
