#include "ReminderSettings.h"

#include "IniText.h"
#include "platform/AtomicReplace.h"

#include <utility>

namespace orvanto::settings {

namespace {

using Problem = ReminderNotice::Problem;

class ReminderParser {
  public:
    explicit ReminderParser(StoredReminders& stored) : m_stored(stored) {}

    void line(const IniLine& line) {
        if (!line.recognised) {
            m_stored.notices.push_back(
                {Problem::UnrecognisedLine, std::to_string(line.number), shownValue(line.text)});
            return;
        }
        if (line.section != "reminders") {
            return; // other sections belong to other tools
        }
        if (line.key == "minutes") {
            const auto minutes = wholeNumber<int>(line.value);
            if (minutes && *minutes >= 0 && *minutes <= kMaxReminderMinutes) {
                accept(line.key);
                m_stored.reminders.minutes = *minutes;
            } else {
                ignore(line, Problem::MinutesOutOfRange);
            }
            return;
        }
        bool Reminders::*const flag = line.key == "enabled"     ? &Reminders::enabled
                                      : line.key == "sound"     ? &Reminders::sound
                                      : line.key == "tray"      ? &Reminders::tray
                                      : line.key == "autostart" ? &Reminders::autostart
                                                                : nullptr;
        if (flag == nullptr) {
            return;
        }
        if (line.value == "0" || line.value == "1") {
            accept(line.key);
            m_stored.reminders.*flag = line.value == "1";
        } else {
            ignore(line, Problem::NotOnOff);
        }
    }

  private:
    // A later line for the same key replaces what an earlier one said, its notice included;
    // the value stays the default or the last one taken.
    void accept(const std::string& key) {
        std::erase_if(m_stored.notices, [&](const ReminderNotice& n) {
            return n.key == key && n.problem != Problem::UnrecognisedLine;
        });
    }

    void ignore(const IniLine& line, Problem problem) {
        accept(line.key);
        m_stored.notices.push_back({problem, line.key, shownValue(line.value)});
    }

    StoredReminders& m_stored;
};

} // namespace

ReminderSettings::ReminderSettings(std::filesystem::path file) : m_file(std::move(file)) {}

StoredReminders ReminderSettings::parse(std::string_view text) {
    StoredReminders stored;
    stored.fileExists = true;
    ReminderParser parser(stored);
    forEachIniLine(text, [&parser](const IniLine& line) { parser.line(line); });
    return stored;
}

StoredReminders ReminderSettings::read() const {
    return readSettingsFile(m_file, &ReminderSettings::parse,
                            ReminderNotice{ReminderNotice::Problem::FileUnreadable, {}, {}});
}

std::string ReminderSettings::format(const Reminders& reminders) {
    const auto flag = [](bool on) { return on ? "1" : "0"; };
    return std::string("[reminders]\r\nenabled=") + flag(reminders.enabled) +
           "\r\nminutes=" + std::to_string(reminders.minutes) +
           "\r\nsound=" + flag(reminders.sound) + "\r\ntray=" + flag(reminders.tray) +
           "\r\nautostart=" + flag(reminders.autostart) + "\r\n";
}

core::Result<void> ReminderSettings::write(const Reminders& reminders) const {
    return platform::replaceFile(m_file, format(reminders));
}

} // namespace orvanto::settings
