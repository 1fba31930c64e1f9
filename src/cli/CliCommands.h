// One function per orvanto-cli command. Each gets the parsed options and the streams and
// returns the exit code.
#pragma once

#include "CliOptions.h"

#include <chrono>
#include <ostream>

namespace orvanto::cli {

struct Context {
    std::ostream& out;
    std::ostream& err;
    std::chrono::year_month_day today;
};

// grid [--week N | --date YYYY-MM-DD] [--json] WORKBOOK
int runGrid(const Options& options, Context& context);
// week [--date YYYY-MM-DD]
int runWeek(const Options& options, Context& context);

} // namespace orvanto::cli
