// Every file the viewer and orvanto-cli write, each through one function that keeps the
// student's files safe: a write that is refused or fails leaves every file as it was and answers
// Status::Io with the reason in English. The programs only word the outcome.
#pragma once

#include "calendar/CalendarFile.h"
#include "core/Failure.h"
#include "core/Term.h"
#include "imports/ImportedClass.h"
#include "settings/Reminders.h"
#include "settings/SettingsLocation.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace orvanto::service {

// Failure::subject of a write refused for what it would have replaced, and of a file the
// student named that could not be written (a folder, no permission, a full disk).
inline constexpr std::string_view kOverTheWorkbook = "workbook";
inline constexpr std::string_view kOverTheExport = "export";
inline constexpr std::string_view kTargetUnwritable = "target";

// path.ini: the workbook the viewer opens from now on.
core::Result<void> saveWorkbookChoice(const settings::SettingsLocation& settings,
                                      std::string_view workbookPath);
// term.ini: the student's own term.
core::Result<void> saveTerm(const settings::SettingsLocation& settings, const core::Term& term);
// reminders.ini as read: the reminders and what of them was not taken as written.
settings::StoredReminders loadReminders(const settings::SettingsLocation& settings);
// reminders.ini.
core::Result<void> saveReminders(const settings::SettingsLocation& settings,
                                 const settings::Reminders& reminders);
// The start at login made to follow the reminders' setting (with the tray, started minimized).
core::Result<void> followAutostart(const settings::Reminders& reminders,
                                   const std::filesystem::path& program);

// Why a calendar must not be written to target: it is the workbook being read, also when one of
// them is a link to the other. A slip of the keyboard must not cost the timetable itself.
std::optional<core::Failure> calendarTargetRefusal(const std::filesystem::path& target,
                                                   const std::filesystem::path& workbook);
// The calendar's text to target, unless refused as above.
core::Result<void> saveCalendar(const calendar::CalendarExport& calendar,
                                const std::filesystem::path& target,
                                const std::filesystem::path& workbook);

// Why an imported workbook must not be written to target: it is the export it is made from.
std::optional<core::Failure> importTargetRefusal(const std::filesystem::path& target,
                                                 const std::filesystem::path& exportPath);
// The classes as a workbook of ours at target, unless refused as above; a class the workbook
// cannot hold fails with its own status (InvalidClass) and nothing is written.
core::Result<void> saveImportedWorkbook(const imports::ImportResult& classes,
                                        const std::filesystem::path& target,
                                        const std::filesystem::path& exportPath);

} // namespace orvanto::service
