// orvanto-cli: prints a teaching week's timetable grid as a table or JSON.
#include "CliOutput.h"
#include "service/Timetable.h"
#include "timetable/TeachingWeek.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orvanto;
using std::chrono::year_month_day;

constexpr int kExitOk = 0;
constexpr int kExitLoadFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitComposeFailure = 3;

constexpr const char* kUsage =
    "Usage:\n"
    "  orvanto-cli grid [--week N | --date YYYY-MM-DD] [--json] WORKBOOK\n"
    "  orvanto-cli week [--date YYYY-MM-DD]\n"
    "  orvanto-cli --help | --version\n"
    "\n"
    "grid   prints the timetable of one teaching week from WORKBOOK (.xls or .xlsx):\n"
    "       the week N, the week of the date, or this week (week 1 begins 2010-03-01).\n"
    "week   prints the teaching week of the date (default today).\n"
    "\n"
    "Exit codes: 0 ok, 1 workbook cannot be loaded, 2 usage error,\n"
    "3 the grid could not be composed (an unreadable cell).\n";

int usageError(const std::string& message) {
    std::cerr << "orvanto-cli: error: " << message << "\n"
              << "Try 'orvanto-cli --help'.\n";
    return kExitUsage;
}

year_month_day today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return year_month_day{std::chrono::year{local.tm_year + 1900},
                          std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                          std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::optional<year_month_day> parseDate(std::string_view text) {
    int y = 0;
    unsigned m = 0;
    unsigned d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const char* p = text.data();
    if (std::from_chars(p, p + 4, y).ptr != p + 4 ||
        std::from_chars(p + 5, p + 7, m).ptr != p + 7 ||
        std::from_chars(p + 8, p + 10, d).ptr != p + 10) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

std::optional<std::int16_t> parseWeek(std::string_view text) {
    std::int16_t week = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), week);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return week;
}

struct Options {
    std::optional<std::int16_t> week;
    std::optional<year_month_day> date;
    bool json = false;
    std::string workbook;
};

// Reads the options after the command; returns an error text for a usage error.
std::optional<std::string> parseOptions(const std::vector<std::string_view>& args,
                                        bool wantWorkbook, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--week" || arg == "--date") {
            if (i + 1 >= args.size()) {
                return std::string(arg) + " needs a value";
            }
            const std::string_view value = args[++i];
            if (arg == "--week") {
                if (!wantWorkbook) {
                    return "unknown option --week";
                }
                options.week = parseWeek(value);
                if (!options.week) {
                    return "--week takes a whole number from -32768 to 32767, not '" +
                           std::string(value) + "'";
                }
            } else {
                options.date = parseDate(value);
                if (!options.date) {
                    return "--date takes a date as YYYY-MM-DD, not '" + std::string(value) + "'";
                }
            }
        } else if (arg == "--json" && wantWorkbook) {
            options.json = true;
        } else if (arg.starts_with("--")) {
            return "unknown option " + std::string(arg);
        } else if (wantWorkbook && options.workbook.empty()) {
            options.workbook = arg;
        } else {
            return "unexpected argument '" + std::string(arg) + "'";
        }
    }
    if (options.week && options.date) {
        return "--week and --date cannot be used together";
    }
    if (wantWorkbook && options.workbook.empty()) {
        return "no WORKBOOK given";
    }
    return std::nullopt;
}

// The week asked for: --week, the week of --date, or this week.
std::optional<std::int16_t> chosenWeek(const Options& options) {
    if (options.week) {
        return options.week;
    }
    auto week = timetable::weekno(options.date.value_or(today()));
    if (!week) {
        return std::nullopt;
    }
    return week.value();
}

int runWeek(const std::vector<std::string_view>& args) {
    Options options;
    if (auto error = parseOptions(args, false, options)) {
        return usageError(*error);
    }
    const auto week = chosenWeek(options);
    if (!week) {
        std::cerr << "orvanto-cli: error: the date lies too far from the term to number its week\n";
        return kExitUsage;
    }
    std::cout << *week << "\n";
    return kExitOk;
}

int runGrid(const std::vector<std::string_view>& args) {
    Options options;
    if (auto error = parseOptions(args, true, options)) {
        return usageError(*error);
    }
    const auto week = chosenWeek(options);
    if (!week) {
        std::cerr << "orvanto-cli: error: the date lies too far from the term to number its week\n";
        return kExitUsage;
    }
    const auto loaded = service::loadTimetable(options.workbook);
    if (!loaded) {
        std::cerr << "orvanto-cli: error: " << options.workbook << ": "
                  << loaded.failure().description << "\n";
        return kExitLoadFailure;
    }
    const timetable::MarkerRows& markers = loaded->markers;
    const timetable::GridComposition grid = service::composeWeek(loaded.value(), *week);
    if (options.json) {
        std::cout << cli::gridJson(*week, markers, grid) << "\n";
    } else {
        std::cout << cli::gridTable(*week, grid);
        if (grid.failure) {
            std::cerr << timetable::failureMessage(*grid.failure) << "\n";
        }
    }
    return grid.failure ? kExitComposeFailure : kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usageError("no command given");
    }
    const std::string_view command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        std::cout << "orvanto-cli 3.20.00\n";
        return kExitOk;
    }
    if (command == "grid") {
        return runGrid(args);
    }
    if (command == "week") {
        return runWeek(args);
    }
    return usageError("unknown command '" + std::string(command) + "'");
}
