#include "StudentFiles.h"

#include "imports/output/WorkbookWriter.h"
#include "platform/AtomicReplace.h"
#include "platform/Autostart.h"
#include "settings/PathSettings.h"
#include "settings/ReminderSettings.h"
#include "settings/TermSettings.h"

#include <string>
#include <system_error>

namespace orvanto::service {

namespace {

core::Failure ioFailure(std::string reason) {
    return {core::Status::Io, std::move(reason)};
}

// The file of that name in the settings' folder (made when it is the user's), then written.
template <class Write>
core::Result<void> saveSetting(const settings::SettingsLocation& settings, std::string_view name,
                               Write write) {
    const auto file = settings.prepareSave(name);
    if (!file) {
        return ioFailure(file.failure().detail);
    }
    return write(file.value());
}

// equivalent() follows links on both sides, so a link to the file is the file.
std::optional<core::Failure> refusedOver(const std::filesystem::path& target,
                                         const std::filesystem::path& kept, std::string_view what,
                                         std::string_view subject) {
    std::error_code error;
    if (!std::filesystem::equivalent(target, kept, error)) {
        return std::nullopt;
    }
    core::Failure refusal{core::Status::Io,
                          target.string() + " is " + std::string(what) + "; nothing was written"};
    refusal.subject = subject;
    return refusal;
}

// The file the student named, replaced; its failure marked as the target's.
core::Result<void> replaceTarget(const std::filesystem::path& target, std::string_view bytes) {
    auto replaced = platform::replaceFile(target, bytes);
    if (replaced) {
        return replaced;
    }
    core::Failure failure = replaced.failure();
    failure.subject = kTargetUnwritable;
    return failure;
}

} // namespace

core::Result<void> saveWorkbookChoice(const settings::SettingsLocation& settings,
                                      std::string_view workbookPath) {
    return saveSetting(settings, "path.ini", [&](const std::filesystem::path& file) {
        return settings::PathSettings(file).write(workbookPath);
    });
}

core::Result<void> saveTerm(const settings::SettingsLocation& settings, const core::Term& term) {
    return saveSetting(settings, "term.ini", [&](const std::filesystem::path& file) {
        return settings::TermSettings(file).write(term);
    });
}

settings::StoredReminders loadReminders(const settings::SettingsLocation& settings) {
    return settings::ReminderSettings(settings.fileToRead("reminders.ini")).read();
}

core::Result<void> saveReminders(const settings::SettingsLocation& settings,
                                 const settings::Reminders& reminders) {
    return saveSetting(settings, "reminders.ini", [&](const std::filesystem::path& file) {
        return settings::ReminderSettings(file).write(reminders);
    });
}

core::Result<void> followAutostart(const settings::Reminders& reminders,
                                   const std::filesystem::path& program) {
    const auto reason = reminders.autostart ? platform::enableAutostart(program, reminders.tray)
                                            : platform::disableAutostart();
    if (reason) {
        return ioFailure(*reason);
    }
    return {};
}

std::optional<core::Failure> calendarTargetRefusal(const std::filesystem::path& target,
                                                   const std::filesystem::path& workbook) {
    return refusedOver(target, workbook, "the workbook being read", kOverTheWorkbook);
}

core::Result<void> saveCalendar(const calendar::CalendarExport& calendar,
                                const std::filesystem::path& target,
                                const std::filesystem::path& workbook) {
    if (auto refusal = calendarTargetRefusal(target, workbook)) {
        return *refusal;
    }
    return replaceTarget(target, calendar.text);
}

std::optional<core::Failure> importTargetRefusal(const std::filesystem::path& target,
                                                 const std::filesystem::path& exportPath) {
    return refusedOver(target, exportPath, "the export itself", kOverTheExport);
}

core::Result<void> saveImportedWorkbook(const imports::ImportResult& classes,
                                        const std::filesystem::path& target,
                                        const std::filesystem::path& exportPath) {
    if (auto refusal = importTargetRefusal(target, exportPath)) {
        return *refusal;
    }
    const auto workbook = imports::writeTimetableWorkbook(classes);
    if (!workbook) {
        return workbook.failure();
    }
    const std::string_view bytes(reinterpret_cast<const char*>(workbook->data()), workbook->size());
    return replaceTarget(target, bytes);
}

} // namespace orvanto::service
