// The calendar commands: the term as an iCalendar file, and one day's classes.
#include "CliCommands.h"
#include "CliError.h"
#include "CliOutput.h"
#include "calendar/Agenda.h"
#include "calendar/CalendarFile.h"
#include "core/Weekdays.h"
#include "platform/AtomicReplace.h"
#include "settings/TermSettings.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace orvanto::cli {

namespace {

constexpr std::string_view kNotClassTime = "提示：现在不是上课时间！";

std::string clockText(int minutes) {
    return settings::periodText({minutes, minutes}).substr(0, 5);
}

// Outside the term: "now" without --date, the date itself for a date the student gave.
std::string outOfTermText(const calendar::DayAgenda& agenda, bool dateGiven) {
    return dateGiven ? settings::isoDate(agenda.date) + " 不在教学周内"
                     : std::string(kNotClassTime);
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
        const int exitCode = printError(context.err,
                                        options.workbook + ": week " + exported.failure().subject +
                                            " cannot be composed; nothing was written",
                                        exitCodeFor(exported.failure().status));
        // The viewer's own message for a cell it cannot read, as the grid command prints it.
        context.err << core::legacyMessage(exported.failure()) << "\n";
        return exitCode;
    }
    if (!options.output || *options.output == "-") {
        context.out << exported->text;
        return kExitOk;
    }
    std::error_code ignored;
    if (std::filesystem::equivalent(*options.output, options.workbook, ignored)) {
        // A slip of the keyboard must not cost the student the timetable itself.
        return printError(context.err,
                          options.output->string() +
                              " is the workbook being read; nothing was written",
                          kExitWriteFailure);
    }
    if (auto reason = platform::replaceFile(*options.output, exported->text)) {
        return printError(context.err, *reason, kExitWriteFailure);
    }
    context.out << exported->meetings << " classes in " << exported->events << " events written to "
                << options.output->string() << "\n";
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
