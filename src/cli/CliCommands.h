// One function per orvanto-cli command. Each gets the parsed options and the streams and
// returns the exit code.
#pragma once

#include "CliOptions.h"
#include "service/Schedule.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orvanto::cli {

// What a command needs opened before it runs; run() opens it once.
struct Needs {
    bool term = false;
    bool timetable = false;
};

struct Context {
    std::ostream& out;
    std::ostream& err;
    std::chrono::year_month_day today;
    // The term and, when the command needs it, the timetable, opened by run().
    const service::Schedule& schedule;
    // The local time of day that goes with today.
    std::chrono::minutes timeOfDay{0};
};

// grid [--week N | --date YYYY-MM-DD] [--json] [term options] WORKBOOK
int runGrid(const Options& options, Context& context);
// week [--date YYYY-MM-DD] [term options]
int runWeek(const Options& options, Context& context);
// ics [-o FILE] [term options] WORKBOOK: every class of the term as an iCalendar file
int runIcs(const Options& options, Context& context);
// agenda [--date YYYY-MM-DD] [--json] [term options] WORKBOOK: one day's classes in time order
int runAgenda(const Options& options, Context& context);
// check [term options] WORKBOOK: what keeps a class from showing as meant, one line each;
// kExitFindings when there is any
int runCheck(const Options& options, Context& context);

// next [--date YYYY-MM-DD] [--time HH:MM] [--json] [term options] WORKBOOK: the next class
int runNext(const Options& options, Context& context);

// import [-o OUT.xlsx] [--json] EXPORT: a school's timetable export as a workbook of ours
int runImport(const Options& options, Context& context);

// Opens what the command needs into schedule: the term of --term, or of the viewer's term.ini
// (settingsTerm) when there is one, with --term-start and --weeks over it; then WORKBOOK. Term
// notices are warnings on err. Returns kExitOk, or the exit code of the error it printed.
int openSchedule(service::Schedule& schedule, const Options& options, Needs needs,
                 const std::optional<std::filesystem::path>& settingsTerm, std::ostream& err);

// A date whose teaching week does not fit the week number; returns kExitUsage.
int weekTooFar(Context& context);

} // namespace orvanto::cli
