#include "Cli.h"

#include "CheckedOutput.h"
#include "CliCommands.h"
#include "CliError.h"
#include "core/ProgramInfo.h"
#include "platform/Today.h"
#include "settings/SettingsLocation.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace orvanto::cli {

namespace {

// Each command's paragraph starts with its name at the left margin; its own help is cut
// from here (commandUsage), so the two never disagree.
constexpr std::string_view kUsage =
    "Usage:\n"
    "  orvanto-cli grid [--week N | --date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli week [--date YYYY-MM-DD] [TERM]\n"
    "  orvanto-cli ics [-o FILE] [TERM] WORKBOOK\n"
    "  orvanto-cli agenda [--date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli next [--date YYYY-MM-DD] [--time HH:MM] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli check [TERM] WORKBOOK\n"
    "  orvanto-cli import [-o OUT.xlsx | --force] [--json] [READING] EXPORT\n"
    "  orvanto-cli COMMAND -h | --help\n"
    "  orvanto-cli --help | --version\n"
    "\n"
    "grid    prints the timetable of one teaching week from WORKBOOK (.xls or .xlsx):\n"
    "        the week N (1 to 30), the week of the date, or this week.\n"
    "week    prints the teaching week of the date (default today).\n"
    "ics     writes every class of every teaching week as an iCalendar file, to FILE\n"
    "        or to standard output. FILE is replaced only once the export is complete\n"
    "        and keeps its permissions; a link is followed and the file it names is\n"
    "        replaced; a FIFO or a device is written into; a folder is refused.\n"
    "agenda  prints the classes of the date (default today) in time order.\n"
    "next    prints the next class from now, or from the date (at 00:00 or at --time):\n"
    "        course, teacher, room, date, weekday, week, start, end and the minutes until\n"
    "        it starts; a class under way counts until it ends (minutes below zero).\n"
    "        --json prints null when no class is left in the term. For status bars.\n"
    "check   lists, one line each with its cell, what keeps a class in WORKBOOK from\n"
    "        showing as intended: week rows that match no week of the term or only\n"
    "        part of what they say, blocks outside every big period, two classes that\n"
    "        meet in one slot in the same weeks, a block the ones above it always hide,\n"
    "        a workbook saved while another sheet than the first was shown. Text in the\n"
    "        blank row 2 is told as a note (说明：) and does not count.\n"
    "import  reads the timetable export of a school's system (.xls, .xlsx or HTML) and\n"
    "        writes it as a workbook this program reads: OUT, by default EXPORT's name\n"
    "        with .orvanto.xlsx; --json prints the classes understood instead, with the\n"
    "        reading chosen and the runners-up. An existing default OUT is replaced only\n"
    "        with --force; -o OUT is always replaced.\n"
    "        READING, instead of the reading the import finds itself:\n"
    "        --reading N          the N-th of --json's runnersUp, counted from 1\n"
    "        --fields LIST        the fields of a class in the export's order, from\n"
    "                             course,teacher,weeks,room (course and weeks needed)\n"
    "        --separator SEP      what parts them on a line: ';' '|' '/' ',' '  ' or\n"
    "                             newline; with --fields or alone\n"
    "\n"
    "TERM    --term FILE          the term of a term.ini\n"
    "        --term-start DATE    the Monday of week 1, YYYY-MM-DD, 1900 to 9999;\n"
    "                             another day counts from its week's Monday\n"
    "        --weeks N            the number of teaching weeks, 1 to 30\n"
    "        They override the same settings of the term.ini. Without --term: the\n"
    "        term.ini the viewer beside this program uses, else the default term\n"
    "        (week 1 begins 2010-03-01, 22 weeks).\n"
    "\n"
    "Exit codes:\n"
    "        0 ok (check: nothing found), 1 WORKBOOK (or EXPORT) cannot be loaded, 2 usage,\n"
    "        3 the grid could not be composed (an unreadable cell),\n"
    "        4 FILE or standard output cannot be written (import: or the default OUT\n"
    "        exists), 5 check found something.\n";

struct Command {
    std::string_view name;
    OptionSet accepts;
    Needs needs;
    int (*run)(const Options& options, Context& context);
};

constexpr Needs kTermAndTimetable{.term = true, .timetable = true};

constexpr std::array kCommands = {
    Command{"grid",
            {.week = true, .date = true, .json = true, .workbook = true, .term = true},
            kTermAndTimetable,
            runGrid},
    Command{"week", {.date = true, .term = true}, {.term = true}, runWeek},
    Command{"ics", {.workbook = true, .term = true, .output = true}, kTermAndTimetable, runIcs},
    Command{"agenda",
            {.date = true, .json = true, .workbook = true, .term = true},
            kTermAndTimetable,
            runAgenda},
    // The import reads an export of its own kind, not a timetable.
    Command{"import",
            {.json = true, .workbook = true, .output = true, .reading = true, .operand = "EXPORT"},
            {},
            runImport},
    Command{"check", {.workbook = true, .term = true}, kTermAndTimetable, runCheck},
    Command{"next",
            {.date = true, .time = true, .json = true, .workbook = true, .term = true},
            kTermAndTimetable,
            runNext},
};

// The parts of the usage that concern one command: its synopsis lines, its paragraph, the
// term options when it takes them, and the exit codes.
std::string commandUsage(const Command& command) {
    const std::string name(command.name);
    std::string synopsis = "Usage:\n";
    std::string paragraph;
    std::string termOptions;
    std::string exitCodes;
    std::string* section = nullptr;
    for (std::size_t at = 0; at < kUsage.size();) {
        const std::size_t end = kUsage.find('\n', at);
        const std::string_view line = kUsage.substr(at, end + 1 - at);
        at = end + 1;
        if (line.starts_with("  orvanto-cli ")) {
            if (line.starts_with("  orvanto-cli " + name + " ")) {
                synopsis += line;
            }
            continue;
        }
        if (!line.starts_with(" ") && line != "\n") {
            section = line.starts_with(name + " ")      ? &paragraph
                      : line.starts_with("TERM ")       ? &termOptions
                      : line.starts_with("Exit codes:") ? &exitCodes
                                                        : nullptr;
        }
        if (section != nullptr && line != "\n") {
            *section += line;
        }
    }
    std::string usage = synopsis + "\n" + paragraph;
    if (command.accepts.term) {
        usage += "\n" + termOptions;
    }
    return usage + "\n" + exitCodes;
}

// Standard output is checked once the command has written everything: a full disk or a
// closed pipe must not pass for a complete timetable or calendar.
int checkedExit(int exitCode, std::ostream& out, std::ostream& err) {
    if (out.flush()) {
        return exitCode;
    }
    const auto* checked = dynamic_cast<const CheckedOutput*>(out.rdbuf());
    std::string reason = checked != nullptr ? checked->failureReason() : std::string();
    return printError(err,
                      "cannot write standard output: " +
                          (reason.empty() ? std::string("write error") : reason),
                      kExitWriteFailure);
}

} // namespace

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        std::chrono::year_month_day today, std::optional<std::filesystem::path> settingsTerm,
        std::chrono::minutes timeOfDay) {
    if (args.empty()) {
        return printUsageError(err, "no command given");
    }
    const std::string_view name = args.front();
    if (name == "--help" || name == "-h") {
        out << kUsage;
        return checkedExit(kExitOk, out, err);
    }
    if (name == "--version") {
        out << "orvanto-cli " ORVANTO_VERSION_TEXT "\n";
        return checkedExit(kExitOk, out, err);
    }
    const auto command = std::ranges::find(kCommands, name, &Command::name);
    if (command == kCommands.end()) {
        return printUsageError(err, "unknown command '" + std::string(name) + "'");
    }
    const auto options = parseOptions(args.subspan(1), command->accepts);
    if (!options) {
        return printUsageError(err, options.failure().detail);
    }
    if (options->help) {
        out << commandUsage(*command);
        return checkedExit(kExitOk, out, err);
    }
    service::Schedule schedule({[today] { return today; },
                                [] {
                                    return std::chrono::floor<std::chrono::seconds>(
                                        std::chrono::system_clock::now());
                                }});
    if (const int opened =
            openSchedule(schedule, options.value(), command->needs, settingsTerm, err);
        opened != kExitOk) {
        return checkedExit(opened, out, err);
    }
    Context context{out, err, today, schedule, timeOfDay};
    return checkedExit(command->run(options.value(), context), out, err);
}

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    // The date and the time of day from one reading of the clock, so that they agree.
    const auto now = platform::localNow();
    const auto day = std::chrono::floor<std::chrono::days>(now);
    return run(args, out, err, std::chrono::year_month_day{day},
               settings::SettingsLocation::forRunningProgram().fileToRead("term.ini"),
               std::chrono::floor<std::chrono::minutes>(now - day));
}

} // namespace orvanto::cli
