// The main window (Form1): the week's grid under the menus, the start-up that opens the
// schedule, and the week shown as the date, the keys and the query window ask; the menu commands'
// work is in Workflows.
#pragma once

#include "Desktop.h"
#include "TimetableGrid.h"
#include "Workflows.h"
#include "core/Failure.h"
#include "core/Term.h"
#include "service/Schedule.h"
#include "service/SchoolExports.h"
#include "settings/TermText.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace orvanto::gui {

class DayWatcher;
class MainMenus;
class QueryDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(Desktop desktop = Desktop::system(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence: the term, path.ini, the workbook, and today's week shown. Runs at
    // the first showing and again after a new path or term is chosen.
    void startUp();

    // The query window's two kinds of query: the grid of a week with no column marked, or the
    // week of a date with that day marked.
    void showWeekQuery(std::int16_t week);
    void showDateQuery(std::chrono::year_month_day date);

    // Lets go of the workbook and runs the start-up again, as after a new path.
    void reload();

    // The menu commands; the work is in Workflows.
    void choosePath() { runChoosePath(*this); }
    void inquire() { runQuery(*this); }
    void editTerm() { runEditTerm(*this); }
    void exportCalendar() { runExportCalendar(*this); }
    void importExport() { runImport(*this); }
    void importRead(const std::filesystem::path& exportPath, imports::ImportResult read) {
        runImportRead(*this, exportPath, std::move(read));
    }
    void checkTimetable() { runCheck(*this); }
    void openHelpFile() { runHelpFile(*this); }
    void openUpdatePage() { runUpdatePage(*this); }
    void showAbout() { m_desktop.showAbout(this, topmostChecked()); }
    // Keeps the window above the others, or lets it go behind them.
    void setAlwaysOnTop(bool onTop);

    // The term read from term.ini at the last start-up (the default term without one).
    const core::Term& term() const { return m_schedule.term(); }
    // The term and timetable shown; scheduleOpened says when they were read again.
    const service::Schedule& schedule() const { return m_schedule; }

    // The teaching week the grid shows.
    std::int16_t weekShown() const { return m_grid->weekShown(); }
    // The workbook path read at the last start-up; empty when none is set.
    QString workbookPath() const { return QString::fromStdString(m_schedule.workbookPath()); }
    // The always-on-top setting: the check mark of the Topmost item.
    bool topmostChecked() const;
    bool hasWorkbook() const { return m_schedule.hasTimetable(); }
    // What the check found at the last load; the 设置 menu and its 检查课表 item count them.
    const std::vector<service::Finding>& findings() const { return m_schedule.findings(); }
    const service::MarkerRows& markers() const { return m_schedule.timetable().markers; }
    // The query window, loaded if it is not loaded yet.
    QueryDialog* queryDialog();
    void showMessage(const Message& message);
    Desktop& desktop() { return m_desktop; }

    // How far the grid is shrunk to fit the screen; 1 where the window fits as designed.
    qreal gridScale() const { return m_grid->scale(); }
    // Brings the title, today's mark and, unless a queried week is shown, the grid to the
    // clock's date; runs by itself when the date changes.
    void followToday();

    // The first showing fits and places the window, then runs the start-up.
    void setVisible(bool visible) override;

  signals:
    void scheduleOpened();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Week by week: PgDown or Right the next week, PgUp or Left the one before, Home this
    // week; the wheel over the grid steps as PgUp and PgDown do.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Opens the term and the workbook again and shows today's week.
    void openSchedule();
    void tellTermNotices(const std::vector<settings::TermNotice>& notices);
    // Draws a week as the schedule gives it: title, marked column, cells, hint and box.
    void showWeek(const service::WeekView& view);
    void fitToScreen();
    // Once the window manager has framed the window, fits and places it again by the real
    // frame, which the first showing could only estimate.
    void fitFramed(int triesLeft);
    // Shows the week before or after the one shown, as a week query would; the keys stop at
    // the term's first and last week.
    void stepWeek(int step);

    Desktop m_desktop;
    bool m_loaded = false;
    bool m_placed = false;
    bool m_alwaysOnTop = false;
    service::Schedule m_schedule;
    TimetableGrid* m_grid = nullptr;
    std::vector<settings::TermNotice> m_toldTermNotices;

    std::unique_ptr<MainMenus> m_menus;
    QPointer<QueryDialog> m_queryDialog;
    DayWatcher* m_dayWatcher = nullptr;
    // True while the grid shows the week of today, false after a query.
    bool m_showsToday = false;
    bool m_followPending = false;
    // Wheel turns not yet a whole notch, as touchpads send them.
    int m_wheelTurn = 0;
};

} // namespace orvanto::gui
