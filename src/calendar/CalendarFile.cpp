#include "CalendarFile.h"

#include "TermClasses.h"

#include <cstdint>
#include <cstdio>
#include <libical/ical.h>
#include <memory>
#include <new>

namespace orvanto::calendar {

namespace {

using namespace std::chrono;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// RFC 5545 text allows no control character but the tab; a line break inside a cell becomes
// the escaped newline libical writes for '\n'.
std::string calendarTextValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7f)) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(' ');
        }
    }
    return out;
}

icaltimetype localTime(year_month_day date, int minutes) {
    icaltimetype time = icaltime_null_time();
    time.year = static_cast<int>(date.year());
    time.month = static_cast<int>(static_cast<unsigned>(date.month()));
    time.day = static_cast<int>(static_cast<unsigned>(date.day()));
    time.hour = minutes / 60;
    time.minute = minutes % 60;
    return time;
}

icalproperty* zoned(icalproperty* property) {
    icalproperty_add_parameter(property, icalparameter_new_tzid(std::string(kTimeZone).c_str()));
    return property;
}

// China has kept UTC+8 without daylight saving since 1992: one STANDARD rule says it all, and
// the file does not depend on the time-zone data of the machine that makes it.
icalcomponent* shanghaiZone() {
    icalcomponent* zone = icalcomponent_new_vtimezone();
    icalcomponent_add_property(zone, icalproperty_new_tzid(std::string(kTimeZone).c_str()));
    icalcomponent* standard = icalcomponent_new_xstandard();
    icaltimetype start = icaltime_null_time();
    start.year = 1970;
    start.month = 1;
    start.day = 1;
    icalcomponent_add_property(standard, icalproperty_new_dtstart(start));
    icalcomponent_add_property(standard, icalproperty_new_tzoffsetfrom(8 * 3600));
    icalcomponent_add_property(standard, icalproperty_new_tzoffsetto(8 * 3600));
    icalcomponent_add_property(standard, icalproperty_new_tzname("CST"));
    icalcomponent_add_component(zone, standard);
    return zone;
}

icalcomponent* event(const ClassSeries& series, const core::Term& term, icaltimetype stamp) {
    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(eventUid(series, term).c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    const year_month_day date{sys_days{term.firstMonday} +
                              days{(series.firstWeek - 1) * 7 + series.weekday}};
    const core::PeriodTime& period = term.periods[static_cast<std::size_t>(series.bigPeriod)];
    icalcomponent_add_property(event,
                               zoned(icalproperty_new_dtstart(localTime(date, period.start))));
    icalcomponent_add_property(event, zoned(icalproperty_new_dtend(localTime(date, period.end))));
    if (series.count > 1) {
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = ICAL_WEEKLY_RECURRENCE;
        rule.interval = static_cast<short>(series.interval);
        rule.count = series.count;
        icalcomponent_add_property(event, icalproperty_new_rrule(rule));
    }
    const auto& [course, teacher, room] = series.lines;
    icalcomponent_add_property(event, icalproperty_new_summary(calendarTextValue(course).c_str()));
    if (!teacher.empty()) {
        icalcomponent_add_property(
            event, icalproperty_new_description(calendarTextValue(teacher).c_str()));
    }
    if (!room.empty()) {
        icalcomponent_add_property(event,
                                   icalproperty_new_location(calendarTextValue(room).c_str()));
    }
    return event;
}

} // namespace

std::string eventUid(const ClassSeries& series, const core::Term& term) {
    const year_month_day monday = term.firstMonday;
    char uid[96];
    std::snprintf(uid, sizeof uid, "%04d%02u%02u-p%d-d%d-w%d-i%d-n%d",
                  static_cast<int>(monday.year()), static_cast<unsigned>(monday.month()),
                  static_cast<unsigned>(monday.day()), series.bigPeriod + 1, series.weekday + 1,
                  static_cast<int>(series.firstWeek), series.interval, series.count);
    std::string named = uid;
    if (series.twin > 0) {
        named += "-c" + std::to_string(series.twin + 1);
    }
    return named + "@orvanto";
}

std::string calendarText(const std::vector<ClassSeries>& series, const core::Term& term,
                         sys_seconds stamp) {
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Orvanto//Timetable//ZH"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalproperty* name = icalproperty_new_x("课表");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    icalcomponent_add_component(calendar.get(), shanghaiZone());
    const icaltimetype utcStamp = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.time_since_epoch().count()), 0, icaltimezone_get_utc_timezone());
    for (const ClassSeries& one : series) {
        icalcomponent_add_component(calendar.get(), event(one, term, utcStamp));
    }
    // libical gives no text only when it cannot allocate the buffer: out of memory, as a
    // std::string of that size would be.
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    if (text == nullptr) {
        throw std::bad_alloc();
    }
    std::string out(text);
    icalmemory_free_buffer(text);
    return out;
}

core::Result<CalendarExport> exportCalendar(const timetable::MarkedSheet& marked,
                                            const core::Term& term, sys_seconds stamp) {
    TermClasses classes = collectTermClasses(marked, term);
    if (classes.failure) {
        core::Failure failure = *classes.failure;
        failure.subject = std::to_string(classes.failedWeek);
        return failure;
    }
    const std::vector<ClassSeries> series = groupIntoSeries(classes.meetings);
    CalendarExport result;
    result.text = calendarText(series, term, stamp);
    result.events = static_cast<int>(series.size());
    result.meetings = static_cast<int>(classes.meetings.size());
    return result;
}

} // namespace orvanto::calendar
