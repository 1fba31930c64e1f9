// reminders.ini beside term.ini: whether and how long before a class the student is reminded,
// the tray icon and the start at login. UTF-8, written with CR LF. No file means all off; a
// value that cannot be used is ignored and reported, never rewritten.
#pragma once

#include "Reminders.h"
#include "core/Failure.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::settings {

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
