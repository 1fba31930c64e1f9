#include "Cli.h"

#include "CheckedOutput.h"
#include "CliCommands.h"
#include "CliError.h"
#include "CliUsage.h"
#include "core/ProgramInfo.h"
#include "platform/Today.h"
#include "settings/SettingsLocation.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <utility>

namespace orvanto::cli {

namespace {

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

// Standard output is checked once the command has written everything: a full disk or a
// closed pipe must not pass for a complete timetable or calendar.
int checkedExit(int exitCode, std::ostream& out, std::ostream& err) {
    if (out.flush()) {
        return exitCode;
    }
    const auto* checked = dynamic_cast<const CheckedOutput*>(out.rdbuf());
    std::string reason = checked != nullptr ? checked->failureReason() : std::string();
    return printError(err,
                      say(err, Text::StandardOutputUnwritable,
                          {reason.empty() ? say(err, Text::WriteError) : reason}),
                      kExitWriteFailure);
}

} // namespace

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        std::chrono::year_month_day today, std::optional<std::filesystem::path> settingsTerm,
        std::chrono::minutes timeOfDay, Language language) {
    setLanguage(out, language);
    setLanguage(err, language);
    if (args.empty()) {
        return printUsageError(err, say(language, Text::NoCommand));
    }
    const std::string_view name = args.front();
    if (name == "--help" || name == "-h") {
        out << usageText(language);
        return checkedExit(kExitOk, out, err);
    }
    if (name == "--version") {
        out << "orvanto-cli " ORVANTO_VERSION_TEXT "\n";
        return checkedExit(kExitOk, out, err);
    }
    const auto command = std::ranges::find(kCommands, name, &Command::name);
    if (command == kCommands.end()) {
        return printUsageError(err, say(language, Text::UnknownCommand, {name}));
    }
    const auto options = parseOptions(args.subspan(1), command->accepts, language);
    if (!options) {
        return printUsageError(err, options.failure().detail);
    }
    if (options->help) {
        out << commandUsage(language, command->name, command->accepts.term);
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
               std::chrono::floor<std::chrono::minutes>(now - day),
               languageOf([](const char* name) { return std::getenv(name); }));
}

} // namespace orvanto::cli
