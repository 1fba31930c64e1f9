// Runs orvanto-cli's library in-process on a fixed "today" and keeps what it printed.
#pragma once

#include "cli/Cli.h"

#include <chrono>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::testing {

// A Friday in week 3, standing for "today".
inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2010}, std::chrono::month{3},
                                                    std::chrono::day{19}};

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline CliRun cli(const std::vector<std::string>& args, std::chrono::year_month_day today = kToday,
                  std::chrono::minutes timeOfDay = std::chrono::minutes{0}) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.exitCode = orvanto::cli::run(views, out, err, today, std::nullopt, timeOfDay);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The lines of what a command printed, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline std::string sample(const std::string& name) {
    return std::string(ORVANTO_TEST_DATA) + "/samples/" + name;
}

} // namespace orvanto::testing
