// The student's schedule: the term and the timetable opened once, and every question the
// viewer and orvanto-cli ask of them (today's week, a week, the week of a date, a typed week,
// the calendar, one day's classes) answered here, so that both give the same answer.
#pragma once

#include "TermPolicy.h"
#include "Timetable.h"
#include "TimetableCheck.h"
#include "calendar/Agenda.h"
#include "calendar/CalendarFile.h"
#include "core/Failure.h"
#include "core/Term.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::service {

using timetable::cellIndex;
using timetable::GridCell;
using timetable::GridComposition;
using timetable::kGridCells;
using timetable::MarkerRows;

// Where the date and the time come from: the computer's clock, or fixed ones in tests.
struct Clock {
    std::function<std::chrono::year_month_day()> today;
    std::function<std::chrono::sys_seconds()> now;
};

// Where the workbook's path comes from: path.ini (the viewer), or the command line.
struct WorkbookSource {
    enum class Kind { PathIni, File };
    Kind kind = Kind::File;
    std::filesystem::path file{};
    // PathIni: a missing path.ini is created empty, for the student to fill in by hand.
    bool createMissingPathIni = false;
};

// What the status label says over the grid; each program words it for its user.
enum class Hint {
    None,         // the label is hidden
    NoPath,       // no workbook path is set
    NotClassTime, // outside the teaching weeks, or too far from the term to number the week
    LoadFailed,   // the workbook could not be loaded: Schedule::loadFailure()
    PartlyShown,  // a cell could not be read: grid->failure
};

// One week as it is shown: the answer to every question about a week.
struct WeekView {
    // None when the date lies too far from the term to number its week.
    std::optional<std::int16_t> week;
    bool inTerm = false;
    // The window title; empty when it stays as it is.
    std::string title;
    // 0 (Monday) to 6 (Sunday): today's column, or the column of the date asked for.
    std::optional<int> markedWeekday;
    Hint hint = Hint::None;
    // The cells to write, in index order, each with the classes that meet under the one it
    // shows (GridCell::others). Complete, it stands for all 35 (cells it lacks are
    // emptied); with a failure, the cells after the one that failed keep what they show.
    // None when the grid stays as it is.
    std::optional<GridComposition> grid;
    // A failure the student is told of in a box.
    std::optional<core::Failure> report;
};

class Schedule {
  public:
    explicit Schedule(Clock clock);

    // Reads the term, then the workbook path and the workbook, each time from scratch. When
    // the path comes from path.ini and today's week cannot be numbered, the start-up stops
    // before path.ini, as the viewer always has: the path and workbook read before stay.
    void open(const TermSource& term, const WorkbookSource& workbook);
    // Lets go of the workbook and of why it could not be loaded.
    void close();

    const core::Term& term() const { return m_term.term; }
    const std::vector<settings::TermNotice>& termNotices() const { return m_term.notices; }
    // Whether and why a term.ini the student named was refused.
    const OpenedTerm& openedTerm() const { return m_term; }
    // The path as read; empty when none is set.
    const std::string& workbookPath() const { return m_workbookPath; }
    bool hasTimetable() const { return m_timetable.has_value(); }
    const LoadedTimetable& timetable() const { return *m_timetable; }
    // Why the workbook of the path could not be loaded, until the next open().
    const std::optional<core::Failure>& loadFailure() const { return m_loadFailure; }
    // What the check found in the loaded workbook, notes included.
    const std::vector<Finding>& findings() const { return m_findings; }
    // The findings that are not notes: the number the student is shown.
    std::size_t findingsToFix() const { return countToFix(m_findings); }

    // Today's week: the start-up's view, with today's column marked and, in term, the grid.
    WeekView today() const;
    // A week asked for by number: no column marked.
    WeekView week(std::int16_t week) const;
    // The week of a date, with its column marked; none when the date is too far from the term.
    std::optional<WeekView> date(std::chrono::year_month_day day) const;
    // A week as typed in the query window after its first character ("第5周" gives 5, as the
    // week text has always been read); the failure (overflow) when it names no week.
    core::Result<WeekView> typedWeek(std::u16string_view text) const;

    // Every class of the term as an iCalendar file, stamped with the clock's now.
    core::Result<calendar::CalendarExport> exportCalendar() const;
    // The classes of one day, in time order.
    core::Result<calendar::DayAgenda> agenda(std::chrono::year_month_day date) const;
    // The teaching week of a date: WeekOutOfRange when it is too far from the term.
    core::Result<std::int16_t> weekOf(std::chrono::year_month_day date) const;
    // Whether the week is one of the term's teaching weeks.
    bool inTerm(std::int16_t week) const;

  private:
    void readWorkbookPath(const WorkbookSource& source);
    void loadTimetable();
    // The grid of the week, or why it cannot be shown.
    void compose(WeekView& view) const;

    Clock m_clock;
    OpenedTerm m_term;
    std::string m_workbookPath;
    std::optional<LoadedTimetable> m_timetable;
    std::optional<core::Failure> m_loadFailure;
    std::vector<Finding> m_findings;
};

// The query window's calendar: the months the term meets, by number in term order; the days of
// such a month; a month and day as a date, in the year the term meets that month.
std::vector<unsigned> termMonthNumbers(const core::Term& term);
unsigned daysOfTermMonth(const core::Term& term, unsigned month);
std::optional<std::chrono::year_month_day> dateInTerm(const core::Term& term, unsigned month,
                                                      unsigned day);

} // namespace orvanto::service
