#include "MainWindow.h"

#include "DayWatcher.h"
#include "MainMenus.h"
#include "ProgramResources.h"
#include "QueryDialog.h"
#include "StudentMessages.h"
#include "WindowFit.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <chrono>
#include <utility>

namespace orvanto::gui {

namespace {

// How long the window manager may take to frame the window at its first showing.
constexpr int kFrameWaitMilliseconds = 50;
constexpr int kFrameWaitTries = 40;

// A day change waits this long behind an open dialog or box before it tries again.
constexpr int kFollowRetryMilliseconds = 2000;

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

void MainWindow::reload() {
    m_schedule.close();
    startUp();
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
        setWindowTitle(QString::fromStdString(view.title));
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
    m_grid->fitTo(shown->availableGeometry().size(), frame + QSize(0, menuHeight));
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

QueryDialog* MainWindow::queryDialog() {
    if (m_queryDialog == nullptr) {
        m_queryDialog =
            new QueryDialog(m_schedule, m_grid->weekShown(), topmostChecked(), m_desktop, this);
        connect(m_queryDialog, &QueryDialog::weekChosen, this, &MainWindow::showWeekQuery);
        connect(m_queryDialog, &QueryDialog::dateChosen, this, &MainWindow::showDateQuery);
    }
    return m_queryDialog;
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
