// What the viewer tells the student when a workbook or term.ini cannot be used, in one place.
#pragma once

#include "core/Failure.h"
#include "core/Term.h"
#include "service/Schedule.h"
#include "service/SchoolExports.h"
#include "service/UpcomingClasses.h"
#include "settings/Reminders.h"
#include "settings/TermText.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvanto::gui {

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

// The numbered failure as the 2010 edition worded it, and where it is when it names a cell.
QString failureBoxText(const core::Failure& failure);

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
    ReadingCaption,     // before the reading in words
    OtherReadings,      // before the list of readings
    ReadingReadsNone,   // a reading chosen that finds no class
    RereadDropsChanges, // asked before another reading replaces the student's changes
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

// The main grid's headings in object-name order: the corner, 星期一 .. 星期天, the five periods.
QStringList gridHeadings();
// "第一大节" .. "第五大节", period 0 to 4.
QString bigPeriodName(int period);
// A weekday heading's hover text: "2010年3月1日".
QString headingDateText(std::chrono::year_month_day day);
// The status label over the grid for a week shown, in phrases it may break between; empty
// when the label is hidden.
QStringList weekHintPhrases(const service::WeekView& view, const service::Schedule& schedule);

// "我的课表": the main window's title before a week names it, and the tray's and the
// notifications' sender.
QString programTitle();

// The titles of the viewer's message boxes.
enum class BoxTitle { Notice, Error, Check };
QString boxTitle(BoxTitle title);

// The buttons every dialog shares.
enum class ButtonText { Ok, Cancel };
QString buttonText(ButtonText button);

// The menus' and the tray's items.
enum class MenuText {
    Path,
    Inquire,
    Topmost,
    Term,
    Calendar,
    Import,
    Help,
    HelpFile,
    Update,
    About,
    Reminders,
    TrayShow,
    TrayQuit,
};
QString menuText(MenuText item);
// "设置 (4)(&S)" and "检查课表 (4)...(&K)": with the findings to fix counted, none shown for 0.
QString setMenuTitle(std::size_t findings);
QString checkItemText(std::size_t findings);

// The file dialogs' titles, filters and the save button Qt leaves in English.
enum class FileDialogText {
    WorkbookTitle,
    WorkbookFilter,
    CalendarTitle,
    ExportTitle,
    ExportFilter,
    ImportedTitle,
    ImportedFilter,
    Save,
};
QString fileDialogText(FileDialogText text);
// "请检查文件夹“…”是否可写。"
QString folderWritableText(const QString& folder);

// The splash's status line while the program starts.
enum class SplashText { Starting, Loading, Showing };
QString splashText(SplashText text);

// The about window: the notice, the version, the copyright and its double-click line.
enum class AboutText { Title, Notice, Version, Reserved, Copyright, Alternate };
QString aboutText(AboutText text);

// The query window.
enum class QueryText { Title, ByWeek, ByDate, Month, Day, WeekOutOfRange, InvalidDate };
QString queryText(QueryText text);
// "第5周".
QString weekName(int week);

// The term dialog.
enum class TermText { Title, FirstMonday, Weeks, WeeksSuffix, Edition, To };
QString termText(TermText text);
// "第一大节：", a period's row in the term dialog.
QString periodRowLabel(int period);
// The first Monday chosen is no Monday: from which Monday the first week counts.
QString mondayNoteText(const QString& chosen, const QString& monday);
QString periodEndsTooEarlyText(int period);
QString editionTooLongText(int characters);
QString editionControlCharactersText();
QString termSaveFailureText(const QString& folderCheck);

// The reminder dialog and what the reminders tell.
enum class ReminderText {
    Title,
    RemindBeforeClass,
    MinutesSuffix,
    Ahead,
    Sound,
    NoFocus,
    Tray,
    TrayNote,
    StartAtLogin,
};
QString reminderText(ReminderText text);
QString reminderSaveFailureText(const QString& folderCheck);
// The notice of the settings reminders.ini or term.ini could not use, one line each.
QString reminderNoticesText(const std::vector<settings::ReminderNotice>& notices);
QString termNoticesText(const std::vector<settings::TermNotice>& notices);

// The main window's boxes.
QString noPathText();
QString pathSaveFailureText(const QString& folderCheck);
QString importOverExportText();
QString helpFileFailureText(const QString& file);
QString browserFailureText();
// Why the check or the calendar cannot run on a workbook that was not loaded: the same
// load-failure words as the status label, joined in one line.
QString cannotCheckText(const std::optional<core::Failure>& failure, const QString& workbook);
QString cannotExportCalendarText(const std::optional<core::Failure>& failure,
                                 const QString& workbook);
// "课表.ics", the calendar's suggested file name.
QString calendarFileName();
// The week whose cell kept the calendar from being composed, and the 2010 box text.
QString calendarComposeFailureText(const core::Failure& failure);
QString calendarWriteFailureText(const QString& file);
QString calendarExportedText(int meetings, int events, const QString& file);
// The check's list: the findings to fix, then the notes.
QString checkResultText(const std::vector<service::Finding>& findings, std::size_t toFix);

} // namespace orvanto::gui
