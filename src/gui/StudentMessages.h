// What the viewer tells the student when a workbook or term.ini cannot be used, in one place.
#pragma once

#include "core/Failure.h"
#include "service/UpcomingClasses.h"
#include "settings/ReminderSettings.h"
#include "settings/TermSettings.h"

#include <QString>
#include <QStringList>

namespace orvanto::gui {

// "提示：无法读取课表：文件不是 Excel 工作簿", for the status label.
QString loadFailureHint(const core::Failure& failure);

// Why a school's export could not be imported, for a message box.
QString importFailureText(const core::Failure& failure);
// Why the workbook made of an export was not saved, for a message box.
QString importSaveFailureText(const core::Failure& failure);

// Why the workbook cannot be read, in phrases that a line may break between, naming the file
// by its name where the reason is about the file: {"找不到文件：", "课表.xlsx"}.
QStringList loadFailurePhrases(const core::Failure& failure, const QString& workbook);

// Where a failure to read a cell is and what the cell shows: "单元格 D8：#DIV/0!"; empty when
// the failure names no cell.
QString failedCellText(const core::Failure& failure);

// One line of the term.ini notice.
QString termNoticeText(const settings::TermNotice& notice);

// One line of the reminders.ini notice.
QString reminderNoticeText(const settings::ReminderNotice& notice);

// The tray's line: "下一节：高等数学 14:00 教1-101", the day named when it is not today;
// "本学期没有课了" when none is left.
QString nextClassText(const std::optional<service::ClassMeeting>& next,
                      std::chrono::year_month_day today);

// A reminder: "上课提醒：高等数学" over "14:00 上课  教1-101  张老师".
QString reminderSummary(const service::ClassMeeting& meeting);
QString reminderBody(const service::ClassMeeting& meeting);

// Said once when closing the window leaves the program in the tray.
QString trayKeepsRunningText();
// Why the start at login could not be set; detail is the system's reason.
QString autostartFailureText(const QString& detail);

} // namespace orvanto::gui
