#include "MainWindow.h"

#include "CellLabel.h"
#include "DayWatcher.h"
#include "ImportPreviewDialog.h"
#include "MainMenus.h"
#include "PhraseBreaking.h"
#include "ProgramResources.h"
#include "QueryDialog.h"
#include "RulingLine.h"
#include "StudentMessages.h"
#include "Twips.h"
#include "WindowFit.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "Workflows.h"
#include "calendar/CalendarFile.h"
#include "core/ProgramInfo.h"
#include "imports/ExportReader.h"
#include "imports/output/WorkbookWriter.h"
#include "platform/AtomicReplace.h"
#include "settings/PathSettings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace orvanto::gui {

namespace {

// How long the window manager may take to frame the window at its first showing.
constexpr int kFrameWaitMilliseconds = 50;
constexpr int kFrameWaitTries = 40;

// A day change waits this long behind an open dialog or box before it tries again.
constexpr int kFollowRetryMilliseconds = 2000;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

MainWindow::MainWindow(Desktop desktop, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_desktop(std::move(desktop)),
      m_schedule({[this] { return m_desktop.today(); },
                  [] {
                      return std::chrono::floor<std::chrono::seconds>(
                          std::chrono::system_clock::now());
                  }}) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    setWindowIcon(programIcon());
    m_grid = new TimetableGrid(m_schedule, this);
    setCentralWidget(m_grid);
    m_menus = std::make_unique<MainMenus>(*this);
    setFixedSize(TimetableGrid::kDesignedWidth,
                 TimetableGrid::kDesignedHeight + menuBar()->sizeHint().height());
    m_dayWatcher =
        new DayWatcher([this] { return m_desktop.today(); }, std::chrono::seconds(5), this);
    connect(m_dayWatcher, &DayWatcher::dayChanged, this, &MainWindow::followToday);
}

MainWindow::~MainWindow() = default;

std::int16_t MainWindow::weekShown() const {
    return m_grid->weekShown();
}

QString MainWindow::workbookPath() const {
    return fromUtf8(m_schedule.workbookPath());
}

qreal MainWindow::gridScale() const {
    return m_grid->scale();
}

void MainWindow::setVisible(bool visible) {
    const bool firstShowing = visible && !m_placed;
    if (firstShowing) {
        m_placed = true;
        // Fitted and placed before the window manager first sees it.
        fitToScreen();
        centreOnScreen(this);
    }
    QMainWindow::setVisible(visible);
    if (firstShowing && windowHandle() != nullptr) {
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen);
        fitFramed(kFrameWaitTries);
    }
    if (visible && !m_loaded) {
        // Run once the window is on screen, so that a box of the start-up stands on it.
        startUp();
    }
}

void MainWindow::startUp() {
    m_loaded = true;
    // The check mark and the window's real state never disagree.
    m_menus->topmost()->setChecked(false);
    if (m_alwaysOnTop) {
        setAlwaysOnTop(false);
    }
    openSchedule();
}

void MainWindow::openSchedule() {
    const core::Term before = m_schedule.term();
    m_dayWatcher->acknowledge(m_desktop.today());
    m_showsToday = true;
    m_schedule.open({.file = m_desktop.settings.fileToRead("term.ini")},
                    {.kind = service::WorkbookSource::Kind::PathIni,
                     .file = m_desktop.settings.fileToRead("path.ini"),
                     // A portable copy gets its empty path.ini to edit by hand; the user's
                     // configuration folder is made only by a save.
                     .createMissingPathIni = m_desktop.settings.isBesideProgram()});
    if (m_schedule.term() != before && m_queryDialog != nullptr) {
        // Its lists were made for the old term.
        m_queryDialog->deleteLater();
        m_queryDialog = nullptr;
    }
    m_menus->showFindingsCount(m_schedule.hasTimetable() ? m_schedule.findingsToFix() : 0);
    showWeek(m_schedule.today());
    tellTermNotices(m_schedule.termNotices());
    emit scheduleOpened();
}

void MainWindow::showWeek(const service::WeekView& view) {
    if (!view.title.empty()) {
        setWindowTitle(fromUtf8(view.title));
    }
    m_grid->show(view);
    if (view.report) {
        showMessage(
            {QMessageBox::Warning, boxTitle(BoxTitle::Error), failureBoxText(*view.report)});
    }
}

void MainWindow::showWeekQuery(std::int16_t week) {
    m_showsToday = false;
    showWeek(m_schedule.week(week));
}

void MainWindow::showDateQuery(std::chrono::year_month_day date) {
    const std::optional<service::WeekView> view = m_schedule.date(date);
    if (!view) {
        return; // the query window checks typed dates before it asks
    }
    m_showsToday = false;
    showWeek(*view);
}

void MainWindow::fitToScreen() {
    const QScreen* shown = screen();
    if (shown == nullptr) {
        return;
    }
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) {
        // Not framed yet: allow for the title bar and borders the window manager will add.
        frame = QSize(2 * kFrameBorder,
                      style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * kFrameBorder);
    }
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize designed(TimetableGrid::kDesignedWidth, TimetableGrid::kDesignedHeight);
    m_grid->scaleTo(
        fitScale(shown->availableGeometry().size(), designed, frame + QSize(0, menuHeight)));
    setFixedSize(m_grid->width(), m_grid->height() + menuHeight);
}

void MainWindow::fitFramed(int triesLeft) {
    if (frameGeometry().size() == size()) {
        // Not framed yet (or never: no window manager).
        if (triesLeft > 0) {
            QTimer::singleShot(kFrameWaitMilliseconds, this,
                               [this, triesLeft] { fitFramed(triesLeft - 1); });
        }
        return;
    }
    fitToScreen();
    const QScreen* shown = screen();
    if (shown != nullptr && !shown->availableGeometry().contains(frameGeometry())) {
        centreOnScreen(this);
    }
}

void MainWindow::followToday() {
    if (QApplication::activeModalWidget() != nullptr) {
        // A dialog or box is open, perhaps the last reload's own: come back once it is closed.
        if (!m_followPending) {
            m_followPending = true;
            QTimer::singleShot(kFollowRetryMilliseconds, this, [this] {
                m_followPending = false;
                followToday();
            });
        }
        return;
    }
    if (!m_showsToday) {
        // A week the student asked for stays on screen; its title names no today.
        m_dayWatcher->acknowledge(m_desktop.today());
        return;
    }
    // The window stays where it is and keeps its always-on-top state; the rest is the
    // start-up's, the workbook reloaded and term.ini read again.
    openSchedule();
}

void MainWindow::showMessage(const Message& message) {
    m_desktop.showMessage(this, message);
}

bool MainWindow::topmostChecked() const {
    return m_menus->topmost()->isChecked();
}

void MainWindow::setAlwaysOnTop(bool onTop) {
    m_alwaysOnTop = onTop;
    m_desktop.setAlwaysOnTop(this, onTop);
}

void MainWindow::choosePath() {
    QString chosen = m_desktop.chooseWorkbook(this, workbookDialogFolder(workbookPath()));
    if (chosen.isEmpty()) {
        return;
    }
    // A school's export chosen here is offered to the import instead of failing to load.
    const std::filesystem::path path = toFilesystemPath(chosen);
    if (!service::loadTimetable(path)) {
        if (auto read = imports::readExportFile(path);
            read && m_desktop.ask(this, {QMessageBox::Question, QStringLiteral("提示"),
                                         exportChosenAsTimetableText()})) {
            importRead(path, std::move(*read));
            return;
        }
    }
    useWorkbook(chosen);
}

bool MainWindow::useWorkbook(const QString& path) {
    const auto file = m_desktop.settings.prepareSave("path.ini");
    if (!file || settings::PathSettings(file.value()).write(path.toStdString())) {
        // The saved path is intact; nothing is reloaded.
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     QStringLiteral("无法保存课表路径，原来的设置未改变。\n") +
                         checkFolderText(m_desktop.settings)});
        return false;
    }
    m_schedule.close();
    startUp();
    return true;
}

void MainWindow::importExport() {
    const QString exportFile = m_desktop.chooseExport(this, workbookDialogFolder(workbookPath()));
    if (exportFile.isEmpty()) {
        return;
    }
    const std::filesystem::path exportPath = toFilesystemPath(exportFile);
    auto result = imports::readExportFile(exportPath);
    if (!result) {
        showMessage(
            {QMessageBox::Warning, QStringLiteral("错误"), importFailureText(result.failure())});
        return;
    }
    importRead(exportPath, std::move(*result));
}

void MainWindow::importRead(const std::filesystem::path& exportPath, imports::ImportResult read) {
    ImportPreviewDialog preview(
        std::move(read),
        [exportPath](const imports::ReadingChoice& choice) {
            return imports::readExportFile(exportPath, choice);
        },
        this);
    if (!m_desktop.previewImport(preview)) {
        return;
    }
    const imports::ImportResult edited = preview.edited();
    const QString target = saveImported(exportPath, edited);
    if (target.isEmpty() || !useWorkbook(target)) {
        return;
    }
    if (edited.term) {
        proposeTerm(*edited.term);
    }
}

QString MainWindow::saveImported(const std::filesystem::path& exportPath,
                                 const imports::ImportResult& classes) {
    QString suggestion =
        QString::fromStdU16String(imports::defaultWorkbookPath(exportPath).u16string());
    // A save that fails says why and asks for another place; the preview's edits stay.
    for (;;) {
        const QString target = m_desktop.chooseImportedWorkbook(this, suggestion);
        if (target.isEmpty()) {
            return {};
        }
        suggestion = target;
        std::error_code error;
        if (std::filesystem::equivalent(toFilesystemPath(target), exportPath, error)) {
            showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                         QStringLiteral("不能保存到教务课表原文件上，请另选一个文件名。")});
            continue;
        }
        const auto workbook = imports::writeTimetableWorkbook(classes);
        if (!workbook) {
            showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                         importSaveFailureText(workbook.failure())});
            continue;
        }
        const std::string_view bytes(reinterpret_cast<const char*>(workbook->data()),
                                     workbook->size());
        if (orvanto::platform::replaceFile(toFilesystemPath(target), bytes)) {
            showMessage(
                {QMessageBox::Warning, QStringLiteral("错误"), importWriteFailureText(target)});
            continue;
        }
        return target;
    }
}

void MainWindow::proposeTerm(const imports::ExportTerm& named) {
    if (m_schedule.today().inTerm) {
        return; // the term already set is the one the student is in
    }
    core::Term proposed = m_schedule.term();
    proposed.edition = named.edition;
    proposed.firstMonday = named.likelyFirstMonday();
    runEditTerm(*this, proposed);
}

QueryDialog* MainWindow::queryDialog() {
    if (m_queryDialog == nullptr) {
        m_queryDialog =
            new QueryDialog(m_schedule, m_grid->weekShown(), topmostChecked(), m_desktop, this);
        connect(m_queryDialog, &QueryDialog::weekChosen, this, &MainWindow::showWeekQuery);
        connect(m_queryDialog, &QueryDialog::dateChosen, this, &MainWindow::showDateQuery);
    }
    return m_queryDialog;
}

void MainWindow::inquire() {
    if (m_schedule.workbookPath().empty()) {
        showMessage({QMessageBox::Information, boxTitle(BoxTitle::Notice), noPathText()});
        return;
    }
    queryDialog()->exec();
}

void MainWindow::showAbout() {
    m_desktop.showAbout(this, topmostChecked());
}

// Tells the student once about each set of settings term.ini could not use; the file itself
// is left as the student wrote it.
void MainWindow::tellTermNotices(const std::vector<settings::TermNotice>& notices) {
    if (notices == m_toldTermNotices) {
        return;
    }
    m_toldTermNotices = notices;
    if (notices.empty()) {
        return;
    }
    showMessage({QMessageBox::Information, boxTitle(BoxTitle::Notice), termNoticesText(notices)});
}

void MainWindow::exportCalendar() {
    if (m_schedule.workbookPath().empty()) {
        showMessage({QMessageBox::Information, QStringLiteral("提示"),
                     QStringLiteral("请先设置课表路径。")});
        return;
    }
    if (!m_schedule.hasTimetable()) {
        QString text = QStringLiteral("课表无法读取，不能导出日历。");
        if (const auto& failure = m_schedule.loadFailure()) {
            text +=
                QStringLiteral("\n") + loadFailurePhrases(*failure, workbookPath()).join(QString());
        }
        showMessage({QMessageBox::Warning, QStringLiteral("错误"), text});
        return;
    }
    const QString suggested =
        workbookDialogFolder(workbookPath()) + QStringLiteral("/") + QStringLiteral("课表.ics");
    const QString chosen = m_desktop.chooseCalendarFile(this, suggested);
    if (chosen.isEmpty()) {
        return;
    }
    const auto exported = m_schedule.exportCalendar();
    if (!exported) {
        const core::Failure& failure = exported.failure();
        showMessage(
            {QMessageBox::Warning, QStringLiteral("错误"),
             QStringLiteral("日历没有导出，未写入任何文件：%1的课表中有单元格无法读取。\n%2")
                 .arg(QStringLiteral("第%1周").arg(fromUtf8(failure.subject)),
                      failureBoxText(failure))});
        return;
    }
    if (orvanto::platform::replaceFile(toFilesystemPath(chosen), exported->text)) {
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     QStringLiteral("无法写入日历文件：\n%1\n请检查文件夹是否可写。").arg(chosen)});
        return;
    }
    showMessage({QMessageBox::Information, QStringLiteral("提示"),
                 QStringLiteral("已导出 %1 节课（%2 个日历事件）到：\n%3")
                     .arg(exported->meetings)
                     .arg(exported->events)
                     .arg(chosen)});
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_schedule.close();
    event->accept();
    m_desktop.quit();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        stepWeek(1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        stepWeek(-1);
        break;
    case Qt::Key_Home:
        if (!m_schedule.workbookPath().empty()) {
            m_showsToday = true;
            showWeek(m_schedule.today());
        }
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    if (!centralWidget()->geometry().contains(event->position().toPoint())) {
        QMainWindow::wheelEvent(event);
        return;
    }
    event->accept();
    // Turning towards the student goes on in time, as a list scrolls down.
    constexpr int kNotch = 120;
    m_wheelTurn += event->angleDelta().y();
    while (m_wheelTurn <= -kNotch) {
        m_wheelTurn += kNotch;
        stepWeek(1);
    }
    while (m_wheelTurn >= kNotch) {
        m_wheelTurn -= kNotch;
        stepWeek(-1);
    }
}

void MainWindow::stepWeek(int step) {
    // Without a workbook there is no week to go to, as the query window says.
    if (m_schedule.workbookPath().empty() || (step > 0 && m_grid->weekShown() >= term().weeks) ||
        (step < 0 && m_grid->weekShown() <= 1)) {
        return;
    }
    showWeekQuery(static_cast<std::int16_t>(m_grid->weekShown() + step));
}

} // namespace orvanto::gui
