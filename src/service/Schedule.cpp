#include "Schedule.h"

#include "settings/PathSettings.h"
#include "timetable/TeachingWeek.h"
#include "timetable/TermCalendar.h"
#include "timetable/Titles.h"
#include "timetable/VbText.h"

#include <utility>

namespace orvanto::service {

Schedule::Schedule(Clock clock) : m_clock(std::move(clock)) {}

void Schedule::open(const TermSource& term, const WorkbookSource& workbook) {
    m_term = openTerm(term);
    if (workbook.kind == WorkbookSource::Kind::PathIni &&
        !timetable::teachingWeekOf(m_clock.today(), m_term.term)) {
        return;
    }
    readWorkbookPath(workbook);
    loadTimetable();
}

void Schedule::close() {
    m_timetable.reset();
    m_loadFailure.reset();
    m_findings.clear();
}

void Schedule::readWorkbookPath(const WorkbookSource& source) {
    if (source.kind == WorkbookSource::Kind::File) {
        const std::u8string path = source.file.u8string();
        m_workbookPath.assign(path.begin(), path.end());
        return;
    }
    const settings::PathSettings pathIni(source.file);
    const settings::StoredPath stored = pathIni.read();
    m_workbookPath = stored.path;
    if (stored.state == settings::StoredPath::State::Missing && source.createMissingPathIni) {
        // A read-only folder just keeps the hint showing.
        (void)pathIni.createEmpty();
    }
}

void Schedule::loadTimetable() {
    close();
    if (m_workbookPath.empty()) {
        return;
    }
    core::Result<LoadedTimetable> loaded = service::loadTimetable(
        std::filesystem::path(std::u8string(m_workbookPath.begin(), m_workbookPath.end())));
    if (!loaded) {
        m_loadFailure = loaded.failure();
        return;
    }
    m_timetable.emplace(std::move(loaded).value());
    m_findings = checkTimetable(*m_timetable, m_term.term);
}

void Schedule::compose(WeekView& view) const {
    if (!m_timetable) {
        if (m_loadFailure) {
            // Never another workbook's cells under this title: an empty grid and the reason.
            view.grid.emplace();
            view.hint = Hint::LoadFailed;
        } else {
            view.report = core::errors::noWorkbook();
        }
        return;
    }
    view.grid = composeWeek(*m_timetable, *view.week);
    if (view.grid->failure) {
        view.report = view.grid->failure;
        // The cells not written may look like a free day: the label says otherwise.
        view.hint = Hint::PartlyShown;
    }
}

WeekView Schedule::today() const {
    WeekView view;
    const std::chrono::year_month_day today = m_clock.today();
    const core::Result<std::int16_t> week = timetable::teachingWeekOf(today, m_term.term);
    if (!week) {
        // A date too far from the term to count its weeks is not class time either.
        view.hint = Hint::NotClassTime;
        return view;
    }
    view.week = *week;
    view.inTerm = inTerm(*week);
    view.title = timetable::todayTitle(today, *week, m_term.term.edition);
    view.markedWeekday = timetable::weekdayIndex(today);
    if (m_workbookPath.empty()) {
        view.hint = Hint::NoPath;
        return view;
    }
    if (!view.inTerm) {
        // The workbook is loaded all the same, so that a query can show a teaching week.
        view.grid.emplace();
        view.hint = Hint::NotClassTime;
        return view;
    }
    compose(view);
    return view;
}

WeekView Schedule::week(std::int16_t week) const {
    WeekView view;
    view.week = week;
    view.inTerm = inTerm(week);
    view.title = timetable::weekQueryTitle(week, m_term.term.edition);
    compose(view);
    return view;
}

std::optional<WeekView> Schedule::date(std::chrono::year_month_day day) const {
    const core::Result<std::int16_t> week = weekOf(day);
    if (!week) {
        return std::nullopt;
    }
    WeekView view;
    view.week = *week;
    view.inTerm = inTerm(*week);
    view.title = timetable::dateQueryTitle(day, *week, m_term.term.edition);
    view.markedWeekday = timetable::weekdayIndex(day);
    compose(view);
    return view;
}

core::Result<WeekView> Schedule::typedWeek(std::u16string_view text) const {
    const core::Result<std::int16_t> week = timetable::cint(timetable::val(text));
    if (!week) {
        return week.failure();
    }
    return this->week(*week);
}

core::Result<std::int16_t> Schedule::weekOf(std::chrono::year_month_day date) const {
    return timetable::teachingWeekOf(date, m_term.term);
}

bool Schedule::inTerm(std::int16_t week) const {
    return timetable::isTeachingWeek(week, m_term.term);
}

core::Result<calendar::CalendarExport> Schedule::exportCalendar() const {
    if (!m_timetable) {
        return m_loadFailure.value_or(core::errors::noWorkbook());
    }
    return calendar::exportCalendar(*m_timetable, m_term.term, m_clock.now());
}

core::Result<calendar::DayAgenda> Schedule::agenda(std::chrono::year_month_day date) const {
    if (!m_timetable) {
        return m_loadFailure.value_or(core::errors::noWorkbook());
    }
    return calendar::agendaOf(*m_timetable, m_term.term, date);
}

std::vector<unsigned> termMonthNumbers(const core::Term& term) {
    std::vector<unsigned> numbers;
    for (const std::chrono::year_month month : timetable::termMonths(term)) {
        numbers.push_back(static_cast<unsigned>(month.month()));
    }
    return numbers;
}

unsigned daysOfTermMonth(const core::Term& term, unsigned month) {
    return timetable::daysIn(timetable::termMonth(term, month));
}

std::optional<std::chrono::year_month_day> dateInTerm(const core::Term& term, unsigned month,
                                                      unsigned day) {
    if (month < 1 || month > 12) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date =
        timetable::termMonth(term, month) / std::chrono::day{day};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

} // namespace orvanto::service
