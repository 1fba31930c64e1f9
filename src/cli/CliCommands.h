// One function per orvanto-cli command. Each gets the parsed options and the streams and
// returns the exit code.
#pragma once

#include "CliOptions.h"
#include "core/Term.h"
#include "service/Timetable.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orvanto::cli {

struct Context {
    std::ostream& out;
    std::ostream& err;
    std::chrono::year_month_day today;
    // The term.ini of the settings folder the viewer uses, taken when no --term is given;
    // none where the command line alone decides (the in-process tests).
    std::optional<std::filesystem::path> settingsTerm = std::nullopt;
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

// import [-o OUT.xlsx] [--json] EXPORT: a school's timetable export as a workbook of ours
int runImport(const Options& options, Context& context);

// The term the options name: a term.ini from --term (every setting in it must be usable),
// else base; then --term-start and --weeks. The failure is the usage error to print.
core::Result<core::Term> chosenTerm(const Options& options, const core::Term& base = {});

// The term of the settings' term.ini, as the viewer reads it: a setting that cannot be used
// keeps its default and is reported as a warning. The default term when there is no file.
core::Term settingsTerm(const std::filesystem::path& file, std::ostream& err);

// The openings the commands share. Each prints its own error and gives nothing on failure;
// the command then returns the exit code named here.
// chosenTerm over the settings' term.ini when --term is not given, or its usage error
// (kExitUsage).
std::optional<core::Term> termOrReport(const Options& options, Context& context);
// The workbook of the options loaded, or the reason it is not (kExitLoadFailure).
std::optional<service::LoadedTimetable> timetableOrReport(const Options& options, Context& context);
// Both of the above, for the commands that need nothing else first; on failure exitCode is
// the one to return.
struct TermAndTimetable {
    core::Term term;
    service::LoadedTimetable loaded;
};
std::optional<TermAndTimetable> openOrReport(const Options& options, Context& context,
                                             int& exitCode);
// A date whose teaching week does not fit the week number; returns kExitUsage.
int weekTooFar(Context& context);

} // namespace orvanto::cli
