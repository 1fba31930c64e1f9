#include "CliOptions.h"

#include "CliError.h"
#include "core/Term.h"
#include "service/SchoolExports.h"
#include "settings/TermText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace orvanto::cli {

namespace {

using std::chrono::year_month_day;

// One option: its name, the flag of OptionSet that allows it, and how it stores its value
// (returning the usage error for a bad value, or an empty text).
struct OptionRule {
    std::string_view name;
    bool OptionSet::*allowedBy;
    bool takesValue;
    std::string (*store)(Options& options, std::string_view value);
};

std::string storeWeek(Options& options, std::string_view value) {
    options.week = parseWeek(value);
    return options.week
               ? ""
               : "--week takes a whole number from 1 to " + std::to_string(core::kMaxTermWeeks) +
                     ", not '" + std::string(value) + "'";
}

std::string storeDate(Options& options, std::string_view value) {
    options.date = parseDate(value);
    return options.date ? ""
                        : "--date takes a date as YYYY-MM-DD, not '" + std::string(value) + "'";
}

std::string storeTime(Options& options, std::string_view value) {
    options.time = settings::parseClockTime(value);
    return options.time ? "" : "--time takes a time as HH:MM, not '" + std::string(value) + "'";
}

std::string storeTermFile(Options& options, std::string_view value) {
    options.termFile = std::string(value);
    return "";
}

std::string storeTermStart(Options& options, std::string_view value) {
    options.termStart = parseDate(value);
    if (!options.termStart) {
        return "--term-start takes a date as YYYY-MM-DD, not '" + std::string(value) + "'";
    }
    if (!core::isTermStartYear(options.termStart->year())) {
        return "--term-start takes a date from 1900-01-01 to 9999-12-31, not '" +
               std::string(value) + "'";
    }
    return "";
}

std::string storeWeeks(Options& options, std::string_view value) {
    options.weeks = parseTermWeeks(value);
    return options.weeks
               ? ""
               : "--weeks takes a whole number from 1 to 30, not '" + std::string(value) + "'";
}

std::string storeOutput(Options& options, std::string_view value) {
    if (value.empty()) {
        return "-o takes a file name";
    }
    options.output = std::filesystem::path(std::string(value));
    return "";
}

std::string storeForce(Options& options, std::string_view) {
    options.force = true;
    return "";
}

std::string storeReading(Options& options, std::string_view value) {
    std::size_t number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || end != value.data() + value.size() || number == 0) {
        return "--reading takes a runner-up's number from --json, counted from 1, not '" +
               std::string(value) + "'";
    }
    options.reading = number;
    return "";
}

std::string storeFields(Options& options, std::string_view value) {
    if (!imports::fieldsNamed(value)) {
        return "--fields takes course, teacher, weeks and room in the export's order, comma "
               "separated, each at most once, course and weeks among them, not '" +
               std::string(value) + "'";
    }
    options.fields = std::string(value);
    return "";
}

std::string storeSeparator(Options& options, std::string_view value) {
    if (!imports::separatorNamed(value)) {
        return "--separator takes one of ';' '|' '/' ',' '  ' (two blanks) or newline, not '" +
               std::string(value) + "'";
    }
    options.separator = std::string(value);
    return "";
}

std::string storeJson(Options& options, std::string_view) {
    options.json = true;
    return "";
}

constexpr std::array kRules = {
    OptionRule{"--week", &OptionSet::week, true, storeWeek},
    OptionRule{"--date", &OptionSet::date, true, storeDate},
    OptionRule{"--time", &OptionSet::time, true, storeTime},
    OptionRule{"--json", &OptionSet::json, false, storeJson},
    OptionRule{"--term", &OptionSet::term, true, storeTermFile},
    OptionRule{"--term-start", &OptionSet::term, true, storeTermStart},
    OptionRule{"--weeks", &OptionSet::term, true, storeWeeks},
    OptionRule{"-o", &OptionSet::output, true, storeOutput},
    OptionRule{"--force", &OptionSet::reading, false, storeForce},
    OptionRule{"--reading", &OptionSet::reading, true, storeReading},
    OptionRule{"--fields", &OptionSet::reading, true, storeFields},
    OptionRule{"--separator", &OptionSet::reading, true, storeSeparator},
};

core::Failure usage(std::string message) {
    return {core::Status::Usage, std::move(message)};
}

} // namespace

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
    if (ec != std::errc() || end != text.data() + text.size() || week < 1 ||
        week > core::kMaxTermWeeks) {
        return std::nullopt;
    }
    return week;
}

std::optional<int> parseTermWeeks(std::string_view text) {
    int weeks = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), weeks);
    if (ec != std::errc() || end != text.data() + text.size() || weeks < core::kMinTermWeeks ||
        weeks > core::kMaxTermWeeks) {
        return std::nullopt;
    }
    return weeks;
}

core::Result<Options> parseOptions(std::span<const std::string_view> args,
                                   const OptionSet& accepted) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            return options;
        }
        const auto rule = std::ranges::find(kRules, arg, &OptionRule::name);
        const bool known = rule != kRules.end();
        if (known && rule->takesValue) {
            // A value is consumed even by an option this command does not take, so that the
            // value is not mistaken for the WORKBOOK.
            if (i + 1 >= args.size()) {
                return usage(std::string(arg) + " needs a value");
            }
            const std::string_view value = args[++i];
            if (!(accepted.*rule->allowedBy)) {
                return usage("unknown option " + std::string(arg));
            }
            if (std::string error = rule->store(options, value); !error.empty()) {
                return usage(std::move(error));
            }
        } else if (known && accepted.*rule->allowedBy) {
            (void)rule->store(options, {});
        } else if (arg.starts_with("--")) {
            return usage("unknown option " + std::string(arg));
        } else if (accepted.workbook && options.workbook.empty()) {
            options.workbook = arg;
        } else {
            return usage("unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (options.week && options.date) {
        return usage("--week and --date cannot be used together");
    }
    if (options.reading && (options.fields || options.separator)) {
        return usage("--reading cannot be used with --fields or --separator");
    }
    if (accepted.workbook && options.workbook.empty()) {
        return usage("no " + std::string(accepted.operand) + " given");
    }
    return options;
}

} // namespace orvanto::cli
