// What the viewer tells the student when a workbook or term.ini cannot be used, in one place.
#pragma once

#include "core/Failure.h"
#include "core/Term.h"
#include "service/SchoolExports.h"
#include "service/UpcomingClasses.h"
#include "settings/Reminders.h"
#include "settings/TermText.h"

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
// The import preview's fixed words: captions, headings, buttons.
enum class PreviewText {
    Title,
    ReadingCaption,   // before the reading in words
    OtherReadings,    // before the list of readings
    ReadingReadsNone, // a reading chosen that finds no class
    AddClass,
    RemoveClasses,
    MakeClass,
    NoUnread,
    Ok,
    Cancel,
    NeedsCourse, // 确定 with a row that lacks it
    NeedsWeeks,
    NeedsWeekday,
    NeedsPeriods,
};
QString previewText(PreviewText text);
// 星期, 节次, 周次, 课程, 教师, 教室: the class table's headings in column order.
QStringList previewClassHeadings();
// 工作表, 单元格, 内容: the headings of the unread and the details lists.
QStringList previewPlaceHeadings();

// "每门课：课程 / 教师 / 周次 / 教室，以“;”分隔"; for the known systems' forms, that their
// own layout was recognised.
QString readingText(const imports::Dialect& dialect);
// The reading with how many cells it explains: "…（解释了 28/31 个单元格）".
QString readingScoreText(const imports::DialectScore& score);
// "另有 70 个工作表未读取（只读取前 64 个）：…": the worksheets past the count an import reads,
// the first of them named.
QString unreadSheetsText(std::size_t unread, const QStringList& names);
// The hover text of a preview row that meets at the same time as another row.
QString clashingRowText();
// "识别出的课程：31 门".
QString classesCountText(int classes);
QString unreadCountText(int texts);
// "略去的说明：4 处（…）".
QString detailsCountText(int details);
// "第3-4节", "第5节".
QString periodsText(imports::SmallPeriods periods);
// Why a typed week text was refused, naming the text.
QString weekTextRefusal(const QString& text);
// "第3行缺少周次" for 确定 with an unfinished row (1-based row).
QString unfinishedRowText(int row, PreviewText missing);
// "这是教务系统导出的课表，要导入吗？" for a file chosen as the timetable that is none.
QString exportChosenAsTimetableText();
// Why the imported workbook was not written to target, before the save dialog opens again.
QString importWriteFailureText(const QString& target);
// The calendar's file chosen is the workbook being read: nothing was written.
QString calendarOverWorkbookText(const QString& target);
// "本学期 2025-09-08 至 2026-01-11": the term's first and last day, in phrases the status
// label may break between.
QStringList termDatesPhrases(const core::Term& term);

} // namespace orvanto::gui
