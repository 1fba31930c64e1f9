#include "Cli.h"

#include "CliCommands.h"
#include "CliError.h"
#include "Today.h"
#include "core/ProgramInfo.h"
#include "settings/SettingsLocation.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace orvanto::cli {

namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  orvanto-cli grid [--week N | --date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli week [--date YYYY-MM-DD] [TERM]\n"
    "  orvanto-cli ics [-o FILE] [TERM] WORKBOOK\n"
    "  orvanto-cli agenda [--date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli --help | --version\n"
    "\n"
    "grid   prints the timetable of one teaching week from WORKBOOK (.xls or .xlsx):\n"
    "       the week N, the week of the date, or this week.\n"
    "week   prints the teaching week of the date (default today).\n"
    "ics    writes every class of every teaching week as an iCalendar file, to FILE\n"
    "       (replaced only once the export is complete) or to standard output.\n"
    "agenda prints the classes of the date (default today) in time order.\n"
    "\n"
    "TERM   --term FILE          the term of a term.ini\n"
    "       --term-start DATE    the Monday of week 1, YYYY-MM-DD\n"
    "       --weeks N            the number of teaching weeks, 1 to 30\n"
    "       Without them: the default term, week 1 begins 2010-03-01, 22 weeks.\n"
    "\n"
    "Exit codes: 0 ok, 1 workbook cannot be loaded, 2 usage error,\n"
    "3 the grid could not be composed (an unreadable cell), 4 FILE cannot be written.\n";

struct Command {
    std::string_view name;
    OptionSet accepts;
    int (*run)(const Options& options, Context& context);
};

constexpr std::array kCommands = {
    Command{"grid",
            {.week = true, .date = true, .json = true, .workbook = true, .term = true},
            runGrid},
    Command{"week", {.date = true, .term = true}, runWeek},
    Command{"ics", {.workbook = true, .term = true, .output = true}, runIcs},
    Command{"agenda", {.date = true, .json = true, .workbook = true, .term = true}, runAgenda},
};

} // namespace

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        std::chrono::year_month_day today, std::optional<std::filesystem::path> settingsTerm) {
    if (args.empty()) {
        return printUsageError(err, "no command given");
    }
    const std::string_view name = args.front();
    if (name == "--help" || name == "-h") {
        out << kUsage;
        return kExitOk;
    }
    if (name == "--version") {
        out << "orvanto-cli " ORVANTO_VERSION_TEXT "\n";
        return kExitOk;
    }
    const auto command = std::ranges::find(kCommands, name, &Command::name);
    if (command == kCommands.end()) {
        return printUsageError(err, "unknown command '" + std::string(name) + "'");
    }
    const auto options = parseOptions(args.subspan(1), command->accepts);
    if (!options) {
        return printUsageError(err, options.failure().description);
    }
    Context context{out, err, today, std::move(settingsTerm)};
    return command->run(options.value(), context);
}

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    return run(args, out, err, localToday(),
               settings::SettingsLocation::forRunningProgram().fileToRead("term.ini"));
}

} // namespace orvanto::cli
