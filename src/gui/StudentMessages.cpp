#include "StudentMessages.h"

#include "core/ProgramInfo.h"
#include "service/SharedWording.h"
#include "spreadsheet/ReadLimits.h"

#include <QFileInfo>

namespace orvanto::gui {

namespace {

QString shared(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The student's words for a failure, without the file; the CLI's Chinese lines say the same.
QString failureReason(const core::Failure& failure,
                      service::FailedStep step = service::FailedStep::ReadTimetable) {
    return shared(service::failureReason(failure.status, failure.subject, step));
}

bool isAboutTheFile(core::Status status) {
    return core::isLoadFailure(status) || status == core::Status::NoTimetable;
}

QString quoted(const settings::TermNotice& notice) {
    return QStringLiteral("“%1”").arg(QString::fromUtf8(notice.value));
}

} // namespace

QString importFailureText(const core::Failure& failure) {
    return QStringLiteral("无法导入教务课表：") +
           failureReason(failure, service::FailedStep::ReadExport) + QStringLiteral("。");
}

QString importSaveFailureText(const core::Failure& failure) {
    return QStringLiteral("课表没有保存：") +
           failureReason(failure, service::FailedStep::SaveImported) + QStringLiteral("。");
}

QStringList loadFailurePhrases(const core::Failure& failure, const QString& workbook) {
    const QString name = QFileInfo(workbook).fileName();
    if (name.isEmpty() || !isAboutTheFile(failure.status)) {
        return {failureReason(failure)};
    }
    return {failureReason(failure) + QStringLiteral("："), name};
}

QString failedCellText(const core::Failure& failure) {
    if (failure.cell.empty()) {
        return {};
    }
    return QStringLiteral("单元格 %1：%2")
        .arg(QString::fromUtf8(failure.cell), QString::fromUtf8(failure.shownValue));
}

QString failureBoxText(const core::Failure& failure) {
    QString text = QString::fromStdString(core::legacyMessage(failure));
    if (const QString cell = failedCellText(failure); !cell.isEmpty()) {
        text += QStringLiteral("\n") + cell;
    }
    return text;
}

QString termNoticeText(const settings::TermNotice& notice) {
    using Problem = settings::TermNotice::Problem;
    const QString key = QString::fromUtf8(notice.key);
    switch (notice.problem) {
    case Problem::NotADate:
        return QStringLiteral("start=%1 不是 YYYY-MM-DD 形式的日期，已使用默认的第1周起始日。")
            .arg(quoted(notice));
    case Problem::StartOutOfRange:
        return QStringLiteral("start=%1 不在 1900 年到 9999 年之间，已使用默认的第1周起始日。")
            .arg(quoted(notice));
    case Problem::NotAMonday:
        return QStringLiteral("start=%1 不是星期一，第1周从这一周的星期一算起。")
            .arg(quoted(notice));
    case Problem::WeeksOutOfRange:
        return QStringLiteral("weeks=%1 不是 1 到 30 之间的整数，已使用默认的周数。")
            .arg(quoted(notice));
    case Problem::EditionNotText:
        return QStringLiteral("edition 不是 UTF-8 文本或含有控制字符，已使用默认的标题后缀。");
    case Problem::EditionTooLong:
        return QStringLiteral("edition 超过 60 个字，已使用默认的标题后缀。");
    case Problem::NotAPeriod:
        return QStringLiteral(
                   "[periods] %1=%2 不是“08:00-09:40”形式且结束晚于开始的时间，已使用默认时间。")
            .arg(key, quoted(notice));
    case Problem::UnrecognisedLine:
        return QStringLiteral("第%1行 %2 无法识别，已忽略。").arg(key, quoted(notice));
    case Problem::FileUnreadable:
        return QStringLiteral("文件无法读取或不是文本文件，全部使用默认设置。");
    }
    return {};
}

QString reminderNoticeText(const settings::ReminderNotice& notice) {
    using Problem = settings::ReminderNotice::Problem;
    const QString key = QString::fromUtf8(notice.key);
    const QString value = QStringLiteral("“%1”").arg(QString::fromUtf8(notice.value));
    switch (notice.problem) {
    case Problem::NotOnOff:
        return QStringLiteral("%1=%2 不是 0 或 1，已按关闭处理。").arg(key, value);
    case Problem::MinutesOutOfRange:
        return QStringLiteral("minutes=%1 不是 0 到 120 之间的整数，已使用默认的 10 分钟。")
            .arg(value);
    case Problem::UnrecognisedLine:
        return QStringLiteral("第%1行 %2 无法识别，已忽略。").arg(key, value);
    case Problem::FileUnreadable:
        return QStringLiteral("文件无法读取或不是文本文件，上课提醒全部关闭。");
    }
    return {};
}

namespace {

QString clockText(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The non-empty ones of the texts, two spaces apart.
QString joined(std::initializer_list<const std::string*> texts) {
    QStringList parts;
    for (const std::string* text : texts) {
        if (!text->empty()) {
            parts << QString::fromUtf8(*text);
        }
    }
    return parts.join(QStringLiteral("  "));
}

} // namespace

QString nextClassText(const std::optional<service::ClassMeeting>& next,
                      std::chrono::year_month_day today) {
    using namespace std::chrono;
    if (!next) {
        return shared(service::kNoClassesLeft);
    }
    QString when;
    const auto daysAhead = (local_days{next->date} - local_days{today}).count();
    if (daysAhead == 1) {
        when = QStringLiteral("明天 ");
    } else if (daysAhead != 0) {
        when = QStringLiteral("%1月%2日 ")
                   .arg(static_cast<unsigned>(next->date.month()))
                   .arg(static_cast<unsigned>(next->date.day()));
    }
    QString text = QStringLiteral("下一节：") + QString::fromUtf8(next->course) + QLatin1Char(' ') +
                   when + clockText(next->time.start);
    if (!next->room.empty()) {
        text += QLatin1Char(' ') + QString::fromUtf8(next->room);
    }
    return text;
}

QString reminderSummary(const service::ClassMeeting& meeting) {
    return QStringLiteral("上课提醒：") + QString::fromUtf8(meeting.course);
}

QString reminderBody(const service::ClassMeeting& meeting) {
    const QString rest = joined({&meeting.room, &meeting.teacher});
    const QString start = clockText(meeting.time.start) + QStringLiteral(" 上课");
    return rest.isEmpty() ? start : start + QStringLiteral("  ") + rest;
}

QString trayKeepsRunningText() {
    return QStringLiteral("课表仍在系统托盘中运行，提醒照常；右键单击托盘图标可退出。");
}

QString autostartFailureText(const QString& detail) {
    return QStringLiteral("无法设置登录时启动，其他设置已保存。\n") + detail;
}

QString previewText(PreviewText text) {
    switch (text) {
    case PreviewText::Title:
        return QStringLiteral("导入教务课表");
    case PreviewText::ReadingCaption:
        return QStringLiteral("读法：");
    case PreviewText::OtherReadings:
        return QStringLiteral("换一种读法：");
    case PreviewText::ReadingReadsNone:
        return QStringLiteral("这种读法读不出任何课程，仍按原来的读法显示。");
    case PreviewText::RereadDropsChanges:
        return QStringLiteral("换用这种读法会丢弃你在表格中做的修改。要继续吗？");
    case PreviewText::AddClass:
        return QStringLiteral("添加课程");
    case PreviewText::RemoveClasses:
        return QStringLiteral("删除所选课程");
    case PreviewText::MakeClass:
        return QStringLiteral("作为课程添加");
    case PreviewText::NoUnread:
        return QStringLiteral("没有未能识别的文字。");
    case PreviewText::Ok:
        return QStringLiteral("确定");
    case PreviewText::Cancel:
        return QStringLiteral("取消");
    case PreviewText::NeedsCourse:
        return QStringLiteral("课程");
    case PreviewText::NeedsWeeks:
        return QStringLiteral("周次");
    case PreviewText::NeedsWeekday:
        return QStringLiteral("星期");
    case PreviewText::NeedsPeriods:
        return QStringLiteral("节次");
    }
    return {};
}

QStringList previewClassHeadings() {
    return {QStringLiteral("星期"), QStringLiteral("节次"), QStringLiteral("周次"),
            QStringLiteral("课程"), QStringLiteral("教师"), QStringLiteral("教室")};
}

QStringList previewPlaceHeadings() {
    return {QStringLiteral("工作表"), QStringLiteral("单元格"), QStringLiteral("内容")};
}

QString readingText(const imports::Dialect& dialect) {
    if (dialect.knownForms) {
        return QStringLiteral("认出了教务系统自己的课表格式，按它的写法读出每门课");
    }
    QStringList fields;
    for (const imports::EntryField field : dialect.order) {
        switch (field) {
        case imports::EntryField::Course:
            fields << QStringLiteral("课程");
            break;
        case imports::EntryField::Teacher:
            fields << QStringLiteral("教师");
            break;
        case imports::EntryField::Weeks:
            fields << QStringLiteral("周次");
            break;
        case imports::EntryField::Room:
            fields << QStringLiteral("教室");
            break;
        }
    }
    QString parted;
    switch (dialect.separator) {
    case imports::FieldSeparator::LineBreak:
        parted = QStringLiteral("各占一行");
        break;
    case imports::FieldSeparator::Blanks:
        parted = QStringLiteral("以两个以上空格分隔");
        break;
    case imports::FieldSeparator::Blank:
        parted = QStringLiteral("以空格分隔");
        break;
    case imports::FieldSeparator::Mark:
        parted = QStringLiteral("以“◇”“◆”等符号分隔");
        break;
    case imports::FieldSeparator::Semicolon:
    case imports::FieldSeparator::Bar:
    case imports::FieldSeparator::Slash:
    case imports::FieldSeparator::Comma: {
        const std::string_view mark = imports::separatorText(dialect.separator);
        parted = QStringLiteral("以“%1”分隔")
                     .arg(QString::fromUtf8(mark.data(), static_cast<qsizetype>(mark.size())));
        break;
    }
    }
    QString text = QStringLiteral("每门课：%1，%2").arg(fields.join(QStringLiteral(" / ")), parted);
    if (dialect.bracketGroups) {
        text += QStringLiteral("，空格后的括号内容单独成项");
    }
    return text;
}

QString readingScoreText(const imports::DialectScore& score) {
    return QStringLiteral("%1（解释了 %2/%3 个单元格）")
        .arg(readingText(score.dialect))
        .arg(score.explained)
        .arg(score.cells);
}

QString unreadSheetsText(std::size_t unread, const QStringList& names) {
    return QStringLiteral("另有 %1 个工作表未读取（只读取前 %2 个）：%3")
        .arg(static_cast<qulonglong>(unread))
        .arg(static_cast<qulonglong>(spreadsheet::limits::kExportSheets))
        .arg(names.join(QStringLiteral("、")));
}

QString clashingRowText() {
    return QStringLiteral(
        "这门课与另一行同一时间上课：课表格子里只显示上面的一门，另一门在悬停文字和日历里");
}

QString classesCountText(int classes) {
    return QStringLiteral("识别出的课程：%1 门").arg(classes);
}

QString unreadCountText(int texts) {
    return texts == 0 ? previewText(PreviewText::NoUnread)
                      : QStringLiteral("未能识别的文字：%1 处（不会导入，将列在新课表的“未识别”"
                                       "工作表中；选中一处可作为课程添加）")
                            .arg(texts);
}

QString detailsCountText(int details) {
    return QStringLiteral("略去的说明：%1 处（学时、学分等不是课程内容的说明，不会导入）")
        .arg(details);
}

QString periodsText(imports::SmallPeriods periods) {
    return periods.first == periods.last
               ? QStringLiteral("第%1节").arg(periods.first)
               : QStringLiteral("第%1-%2节").arg(periods.first).arg(periods.last);
}

QString weekTextRefusal(const QString& text) {
    return QStringLiteral("“%1”不是周次，未修改。请写成 1-16、1-15单、双2-16 或 1-8, 10-16 "
                          "这样的形式。")
        .arg(text);
}

QString unfinishedRowText(int row, PreviewText missing) {
    return QStringLiteral("第%1行缺少%2，请填上或删除这一行。").arg(row).arg(previewText(missing));
}

QString exportChosenAsTimetableText() {
    return QStringLiteral("这是教务系统导出的课表，要导入吗？");
}

QString calendarOverWorkbookText(const QString& target) {
    return QStringLiteral(
               "日历没有导出：\n%1\n是正在使用的课表文件，导出会把课表换成日历。请另选一个文件名。")
        .arg(target);
}

QString importWriteFailureText(const QString& target) {
    return QStringLiteral("无法写入课表文件：\n%1\n请检查文件夹是否可写，然后另选保存位置。")
        .arg(target);
}

QStringList termDatesPhrases(const core::Term& term) {
    const std::chrono::sys_days first{term.firstMonday};
    const std::chrono::year_month_day last{first + std::chrono::days{7 * term.weeks - 1}};
    auto iso = [](std::chrono::year_month_day day) {
        return QStringLiteral("%1-%2-%3")
            .arg(static_cast<int>(day.year()), 4, 10, QLatin1Char('0'))
            .arg(static_cast<unsigned>(day.month()), 2, 10, QLatin1Char('0'))
            .arg(static_cast<unsigned>(day.day()), 2, 10, QLatin1Char('0'));
    };
    return {QStringLiteral("本学期 "), QStringLiteral("%1 至 ").arg(iso(term.firstMonday)),
            iso(last)};
}

QStringList gridHeadings() {
    QStringList headings{shared(service::kTimeHeading)};
    for (const std::string_view day : core::kWeekdayHeadings) {
        headings << shared(day);
    }
    const std::array<QString, core::kBigPeriods> partsOfDay = {
        QStringLiteral("早上"), QStringLiteral("早上"), QStringLiteral("下午"),
        QStringLiteral("下午"), QStringLiteral("晚上")};
    for (int p = 0; p < core::kBigPeriods; ++p) {
        headings << QStringLiteral("%1   （%2）")
                        .arg(bigPeriodName(p), partsOfDay[static_cast<std::size_t>(p)]);
    }
    return headings;
}

QString bigPeriodName(int period) {
    return shared(service::kBigPeriodNames.at(static_cast<std::size_t>(period)));
}

QString headingDateText(std::chrono::year_month_day day) {
    return QStringLiteral("%1年%2月%3日")
        .arg(static_cast<int>(day.year()))
        .arg(static_cast<unsigned>(day.month()))
        .arg(static_cast<unsigned>(day.day()));
}

QStringList weekHintPhrases(const service::WeekView& view, const service::Schedule& schedule) {
    const QString notClassTime = shared(service::kNotClassTime);
    switch (view.hint) {
    case service::Hint::None:
        return {};
    case service::Hint::NoPath:
        return {QStringLiteral("提示：请先设置课表路径！")};
    case service::Hint::NotClassTime:
        // A term of the student's own is named with its dates; the 2010 term keeps its words.
        if (schedule.term() != core::Term{}) {
            return QStringList{notClassTime} + termDatesPhrases(schedule.term());
        }
        return {notClassTime};
    case service::Hint::LoadFailed:
        return QStringList{QStringLiteral("提示：无法读取课表：")} +
               loadFailurePhrases(*schedule.loadFailure(),
                                  QString::fromStdString(schedule.workbookPath()));
    case service::Hint::PartlyShown: {
        const core::Failure& failure = *view.grid->failure;
        const QString cell = failedCellText(failure);
        return {QStringLiteral("提示：课表只显示了一部分，"),
                cell.isEmpty()
                    ? QStringLiteral("发生错误：%1").arg(core::legacyError(failure.status).number)
                    : cell};
    }
    }
    return {};
}

QString programTitle() {
    return QStringLiteral("我的课表");
}

QString boxTitle(BoxTitle title) {
    switch (title) {
    case BoxTitle::Notice:
        return QStringLiteral("提示");
    case BoxTitle::Error:
        return QStringLiteral("错误");
    case BoxTitle::Check:
        return QStringLiteral("检查课表");
    }
    return {};
}

QString buttonText(ButtonText button) {
    return button == ButtonText::Ok ? QStringLiteral("确定") : QStringLiteral("取消");
}

QString menuText(MenuText item) {
    switch (item) {
    case MenuText::Path:
        return QStringLiteral("课表路径(&P)");
    case MenuText::Inquire:
        return QStringLiteral("查询方式(&I)");
    case MenuText::Topmost:
        return QStringLiteral("窗口置顶(&T)");
    case MenuText::Term:
        return QStringLiteral("学期设置...(&E)");
    case MenuText::Calendar:
        return QStringLiteral("导出日历...(&C)");
    case MenuText::Import:
        return QStringLiteral("导入教务课表...(&D)");
    case MenuText::Help:
        return QStringLiteral("帮助(&H)");
    case MenuText::HelpFile:
        return QStringLiteral("帮助文档...(&F)");
    case MenuText::Update:
        return QStringLiteral("检查更新...(&U)");
    case MenuText::About:
        return QStringLiteral("关于(&A)");
    case MenuText::Reminders:
        return QStringLiteral("上课提醒...(&R)");
    case MenuText::TrayShow:
        return QStringLiteral("显示课表");
    case MenuText::TrayQuit:
        return QStringLiteral("退出");
    }
    return {};
}

namespace {

// The count stands on the menu that lists the findings and on the item itself, where it
// covers no cell; without findings both read as they always have.
QString findingsCount(std::size_t findings) {
    return findings > 0 ? QStringLiteral(" (%1)").arg(findings) : QString();
}

} // namespace

QString setMenuTitle(std::size_t findings) {
    return QStringLiteral("设置%1(&S)").arg(findingsCount(findings));
}

QString checkItemText(std::size_t findings) {
    return QStringLiteral("检查课表%1...(&K)").arg(findingsCount(findings));
}

QString fileDialogText(FileDialogText text) {
    switch (text) {
    case FileDialogText::WorkbookTitle:
        return QStringLiteral("设置课表路径");
    case FileDialogText::WorkbookFilter:
        return QStringLiteral("Excel文件(*.xls,*.xlsx) (*.xls *.xlsx)");
    case FileDialogText::CalendarTitle:
        return QStringLiteral("导出日历");
    case FileDialogText::ExportTitle:
        return QStringLiteral("导入教务课表");
    case FileDialogText::ExportFilter:
        return QStringLiteral("教务课表 (*.xls *.xlsx *.htm *.html)");
    case FileDialogText::ImportedTitle:
        return QStringLiteral("保存课表");
    case FileDialogText::ImportedFilter:
        return QStringLiteral("Excel 工作簿 (*.xlsx)");
    case FileDialogText::Save:
        return QStringLiteral("保存(&S)");
    }
    return {};
}

QString folderWritableText(const QString& folder) {
    return QStringLiteral("请检查文件夹“%1”是否可写。").arg(folder);
}

QString splashText(SplashText text) {
    switch (text) {
    case SplashText::Starting:
        return QStringLiteral("正在启动...");
    case SplashText::Loading:
        return QStringLiteral("正在加载...");
    case SplashText::Showing:
        return QStringLiteral("加载完成 , 显示...");
    }
    return {};
}

QString aboutText(AboutText text) {
    // The captions keep the 2010 window's CR LF line ends.
    const QString crlf = QStringLiteral("\r\n");
    switch (text) {
    case AboutText::Title:
        return QStringLiteral("关于 Orvanto（Pellwick专用版）");
    case AboutText::Notice:
        return QStringLiteral(
                   "提醒：请保持课表工作簿的版式（B列的节次标记、C至I列每五行一个"
                   "课程块），否则课表无法正确显示；课表仅供参考，以学校教务通知为准。") +
               crlf +
               QStringLiteral(
                   "本软件按 MIT 许可证发布，按“原样”提供，不附带任何明示或暗示的担保。");
    case AboutText::Version:
        return QStringLiteral("Orvanto") + crlf + QStringLiteral("版本：" ORVANTO_VERSION_TEXT);
    case AboutText::Reserved:
        return QStringLiteral("保留所有权利。");
    case AboutText::Copyright:
        return QStringLiteral("© 2010-2026 Orvanto 开发者");
    case AboutText::Alternate:
        return QStringLiteral("献给每一位按时上课的同学");
    }
    return {};
}

QString queryText(QueryText text) {
    switch (text) {
    case QueryText::Title:
        return QStringLiteral("查询方式");
    case QueryText::ByWeek:
        return QStringLiteral("按周查询：");
    case QueryText::ByDate:
        return QStringLiteral("按日期查询：");
    case QueryText::Month:
        return QStringLiteral("月");
    case QueryText::Day:
        return QStringLiteral("日");
    case QueryText::WeekOutOfRange:
        return QStringLiteral("周数超出范围。");
    case QueryText::InvalidDate:
        return QStringLiteral("请输入有效的日期。");
    }
    return {};
}

QString weekName(int week) {
    return shared(service::weekName(week));
}

QString termText(TermText text) {
    switch (text) {
    case TermText::Title:
        return QStringLiteral("学期设置");
    case TermText::FirstMonday:
        return QStringLiteral("第1周的星期一：");
    case TermText::Weeks:
        return QStringLiteral("教学周数：");
    case TermText::WeeksSuffix:
        return QStringLiteral(" 周");
    case TermText::Edition:
        return QStringLiteral("标题后缀：");
    case TermText::To:
        return QStringLiteral("至");
    }
    return {};
}

QString periodRowLabel(int period) {
    return bigPeriodName(period) + QStringLiteral("：");
}

QString mondayNoteText(const QString& chosen, const QString& monday) {
    return QStringLiteral("%1不是星期一，第1周将从这一周的星期一（%2）算起。").arg(chosen, monday);
}

QString periodEndsTooEarlyText(int period) {
    return bigPeriodName(period) + QStringLiteral("的结束时间必须晚于开始时间。");
}

QString editionTooLongText(int characters) {
    return QStringLiteral("标题后缀不能超过 %1 个字。").arg(characters);
}

QString editionControlCharactersText() {
    return QStringLiteral("标题后缀不能包含换行、制表符或其他控制字符。");
}

QString termSaveFailureText(const QString& folderCheck) {
    return QStringLiteral("无法保存学期设置，原来的设置未改变。\n") + folderCheck;
}

QString reminderText(ReminderText text) {
    switch (text) {
    case ReminderText::Title:
        return QStringLiteral("上课提醒");
    case ReminderText::RemindBeforeClass:
        return QStringLiteral("上课前提醒");
    case ReminderText::MinutesSuffix:
        return QStringLiteral(" 分钟");
    case ReminderText::Ahead:
        return QStringLiteral("提前");
    case ReminderText::Sound:
        return QStringLiteral("提醒时播放声音");
    case ReminderText::NoFocus:
        return QStringLiteral("提醒不抢占焦点");
    case ReminderText::Tray:
        return QStringLiteral("在系统托盘显示");
    case ReminderText::TrayNote:
        return QStringLiteral("托盘图标显示下一节课；关闭窗口时课表留在托盘中。");
    case ReminderText::StartAtLogin:
        return QStringLiteral("登录时启动");
    }
    return {};
}

QString reminderSaveFailureText(const QString& folderCheck) {
    return QStringLiteral("无法保存上课提醒设置，原来的设置未改变。\n") + folderCheck;
}

QString reminderNoticesText(const std::vector<settings::ReminderNotice>& notices) {
    QString text = QStringLiteral("上课提醒设置文件 reminders.ini 中有设置未被采用：");
    for (const settings::ReminderNotice& notice : notices) {
        text += QStringLiteral("\n") + reminderNoticeText(notice);
    }
    return text;
}

QString termNoticesText(const std::vector<settings::TermNotice>& notices) {
    QString text = QStringLiteral("学期设置文件 term.ini 中有设置未被采用：");
    for (const settings::TermNotice& notice : notices) {
        text += QStringLiteral("\n") + termNoticeText(notice);
    }
    return text;
}

QString noPathText() {
    return QStringLiteral("请先设置课表路径。");
}

QString pathSaveFailureText(const QString& folderCheck) {
    return QStringLiteral("无法保存课表路径，原来的设置未改变。\n") + folderCheck;
}

QString importOverExportText() {
    return QStringLiteral("不能保存到教务课表原文件上，请另选一个文件名。");
}

QString helpFileFailureText(const QString& file) {
    // Where it is, so that it can be opened by hand with any text editor.
    return QStringLiteral("提示：打开帮助文档错误！\n没有找到能打开它的程序，"
                          "请用文本编辑器打开：\n%1")
        .arg(file);
}

QString browserFailureText() {
    return QStringLiteral("提示：调用浏览器错误！");
}

namespace {

QString cannotRunText(const QString& lead, const std::optional<core::Failure>& failure,
                      const QString& workbook) {
    return failure ? lead + QStringLiteral("\n") +
                         loadFailurePhrases(*failure, workbook).join(QString())
                   : lead;
}

} // namespace

QString cannotCheckText(const std::optional<core::Failure>& failure, const QString& workbook) {
    return cannotRunText(QStringLiteral("课表无法读取，不能检查。"), failure, workbook);
}

QString cannotExportCalendarText(const std::optional<core::Failure>& failure,
                                 const QString& workbook) {
    return cannotRunText(QStringLiteral("课表无法读取，不能导出日历。"), failure, workbook);
}

QString calendarFileName() {
    return QStringLiteral("课表.ics");
}

QString calendarComposeFailureText(const core::Failure& failure) {
    return QStringLiteral("日历没有导出，未写入任何文件：%1的课表中有单元格无法读取。\n%2")
        .arg(weekName(QString::fromUtf8(failure.subject).toInt()), failureBoxText(failure));
}

QString calendarWriteFailureText(const QString& file) {
    return QStringLiteral("无法写入日历文件：\n%1\n请检查文件夹是否可写。").arg(file);
}

QString calendarExportedText(int meetings, int events, const QString& file) {
    return QStringLiteral("已导出 %1 节课（%2 个日历事件）到：\n%3")
        .arg(meetings)
        .arg(events)
        .arg(file);
}

QString checkResultText(const std::vector<service::Finding>& findings, std::size_t toFix) {
    QString text = toFix == 0 ? shared(service::kNothingToFix)
                              : QStringLiteral("有 %1 处写法可能让课程不显示：\n").arg(toFix);
    for (const service::Finding& finding : findings) {
        if (!finding.note) {
            text += QStringLiteral("\n") + QString::fromUtf8(finding.line);
        }
    }
    if (toFix != findings.size()) {
        text += QStringLiteral("\n");
    }
    for (const service::Finding& finding : findings) {
        if (finding.note) {
            text +=
                QStringLiteral("\n") + shared(service::kNoteLead) + QString::fromUtf8(finding.line);
        }
    }
    return text;
}

} // namespace orvanto::gui
