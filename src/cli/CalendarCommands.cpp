// The calendar commands: the term as an iCalendar file, one day's classes, the next class.
#include "CliCommands.h"
#include "CliError.h"
#include "CliOutput.h"
#include "calendar/Agenda.h"
#include "calendar/CalendarFile.h"
#include "core/Weekdays.h"
#include "service/SharedWording.h"
#include "service/StudentFiles.h"
#include "service/UpcomingClasses.h"
#include "settings/TermText.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace orvanto::cli {

namespace {

std::string clockText(int minutes) {
    return settings::periodText({minutes, minutes}).substr(0, 5);
}

// Outside the term: "now" without --date, the date itself for a date the student gave.
std::string outOfTermText(const calendar::DayAgenda& agenda, bool dateGiven) {
    return dateGiven ? settings::isoDate(agenda.date) + " 不在教学周内"
                     : std::string(service::kNotClassTime);
}

std::string agendaText(const calendar::DayAgenda& agenda, bool dateGiven, bool today) {
    if (!agenda.inTerm) {
        return outOfTermText(agenda, dateGiven) + "\n";
    }
    if (agenda.entries.empty()) {
        return (today ? std::string("今天") : settings::isoDate(agenda.date) + " ") + "没有课。\n";
    }
    std::string out;
    for (const calendar::AgendaEntry& entry : agenda.entries) {
        out += settings::periodText(entry.time);
        for (const std::string* field : {&entry.course, &entry.teacher, &entry.room}) {
            if (!field->empty()) {
                out += "  " + *field;
            }
        }
        out += "\n";
    }
    return out;
}

std::string agendaJson(const calendar::DayAgenda& agenda, bool dateGiven) {
    std::string out = "{\"date\": \"" + settings::isoDate(agenda.date) +
                      "\", \"week\": " + std::to_string(agenda.week) +
                      ", \"inTerm\": " + (agenda.inTerm ? "true" : "false");
    if (!agenda.inTerm) {
        out += ", \"message\": " + jsonString(outOfTermText(agenda, dateGiven));
    }
    out += ", \"classes\": [";
    for (std::size_t i = 0; i < agenda.entries.size(); ++i) {
        const calendar::AgendaEntry& entry = agenda.entries[i];
        out += (i ? ", " : "");
        out += "{\"period\": " + std::to_string(entry.bigPeriod + 1) + ", \"start\": \"" +
               clockText(entry.time.start) + "\", \"end\": \"" + clockText(entry.time.end) +
               "\", \"course\": " + jsonString(entry.course) +
               ", \"teacher\": " + jsonString(entry.teacher) +
               ", \"room\": " + jsonString(entry.room) + "}";
    }
    return out + "]}";
}

} // namespace

int runIcs(const Options& options, Context& context) {
    const auto exported = context.schedule.exportCalendar();
    if (!exported) {
        const int exitCode = printError(
            context.err,
            say(context.err, Text::WeekNotComposed, {options.workbook, exported.failure().subject}),
            exitCodeFor(exported.failure().status));
        // The viewer's own message for a cell it cannot read, as the grid command prints it.
        context.err << core::legacyMessage(exported.failure()) << "\n";
        return exitCode;
    }
    if (!options.output || *options.output == "-") {
        context.out << exported->text;
        return kExitOk;
    }
    if (const auto saved = service::saveCalendar(*exported, *options.output, options.workbook);
        !saved) {
        return printError(context.err,
                          say(context.err,
                              saved.failure().subject == service::kOverTheWorkbook
                                  ? Text::OverTheWorkbook
                                  : Text::WriteFailed,
                              {options.output->string(), saved.failure().detail}),
                          kExitWriteFailure);
    }
    context.out << say(context.out, Text::CalendarWritten,
                       {std::to_string(exported->meetings), std::to_string(exported->events),
                        options.output->string()})
                << "\n";
    return kExitOk;
}

int runAgenda(const Options& options, Context& context) {
    const auto date = options.date.value_or(context.today);
    const auto agenda = context.schedule.agenda(date);
    if (!agenda) {
        if (agenda.failure().status == core::Status::WeekOutOfRange) {
            return weekTooFar(context);
        }
        context.err << core::legacyMessage(agenda.failure()) << "\n";
        return exitCodeFor(agenda.failure().status);
    }
    const bool dateGiven = options.date.has_value();
    context.out << (options.json ? agendaJson(*agenda, dateGiven) + "\n"
                                 : agendaText(*agenda, dateGiven, date == context.today));
    return kExitOk;
}

} // namespace orvanto::cli

namespace orvanto::cli {

namespace {

// "2026-03-02 星期一 第1周 14:00-15:40  高等数学  张老师  教1-101"
std::string meetingText(const service::ClassMeeting& meeting) {
    std::string out = settings::isoDate(meeting.date) + " " +
                      std::string(core::weekdayName(meeting.weekday)) + " 第" +
                      std::to_string(meeting.week) + "周 " + settings::periodText(meeting.time);
    for (const std::string* field : {&meeting.course, &meeting.teacher, &meeting.room}) {
        if (!field->empty()) {
            out += "  " + *field;
        }
    }
    return out;
}

std::string nextText(const service::ClassMeeting& meeting, std::chrono::year_month_day day,
                     long long minutes) {
    if (meeting.date != day) {
        return "今天没有课了\n" + meetingText(meeting) + "\n";
    }
    const std::string when = minutes > 0   ? "还有" + std::to_string(minutes) + "分钟"
                             : minutes < 0 ? "已开始" + std::to_string(-minutes) + "分钟"
                                           : "现在开始";
    return meetingText(meeting) + "  " + when + "\n";
}

std::string nextJson(const service::ClassMeeting& meeting, long long minutes) {
    return "{\"course\": " + jsonString(meeting.course) +
           ", \"teacher\": " + jsonString(meeting.teacher) +
           ", \"room\": " + jsonString(meeting.room) + ", \"date\": \"" +
           settings::isoDate(meeting.date) +
           "\", \"weekday\": " + jsonString(core::weekdayName(meeting.weekday)) +
           ", \"week\": " + std::to_string(meeting.week) + ", \"start\": \"" +
           clockText(meeting.time.start) + "\", \"end\": \"" + clockText(meeting.time.end) +
           "\", \"minutes\": " + std::to_string(minutes) + "}\n";
}

} // namespace

int runNext(const Options& options, Context& context) {
    using namespace std::chrono;
    const year_month_day day = options.date.value_or(context.today);
    const minutes timeOfDay =
        options.time ? minutes{*options.time} : (options.date ? minutes{0} : context.timeOfDay);
    const local_seconds now = local_days{day} + timeOfDay;
    const auto next = service::nextClass(context.schedule, now);
    if (!next) {
        context.err << core::legacyMessage(next.failure()) << "\n";
        return exitCodeFor(next.failure().status);
    }
    if (!*next) {
        context.out << (options.json ? "null\n" : std::string(service::kNoClassesLeft) + "\n");
        return kExitOk;
    }
    const long long until = duration_cast<minutes>(service::startOf(**next) - now).count();
    context.out << (options.json ? nextJson(**next, until) : nextText(**next, day, until));
    return kExitOk;
}

} // namespace orvanto::cli
