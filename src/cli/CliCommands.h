// One function per orvanto-cli command. Each gets the parsed options and the streams and
// returns the exit code.
#pragma once

#include "CliOptions.h"
#include "core/Term.h"

#include <chrono>
#include <ostream>

namespace orvanto::cli {

struct Context {
    std::ostream& out;
    std::ostream& err;
    std::chrono::year_month_day today;
    core::Term term; // from --term, --term-start, --weeks; the default term without them
};

// grid [--week N | --date YYYY-MM-DD] [--json] WORKBOOK
int runGrid(const Options& options, Context& context);
// week [--date YYYY-MM-DD]
int runWeek(const Options& options, Context& context);
// ics [-o FILE] WORKBOOK: every class of the term as an iCalendar file
int runIcs(const Options& options, Context& context);
// agenda [--date YYYY-MM-DD] [--json] WORKBOOK: one day's classes in time order
int runAgenda(const Options& options, Context& context);

} // namespace orvanto::cli
