#include "CliCommands.h"

#include "CliError.h"
#include "CliOutput.h"
#include "service/Timetable.h"
#include "timetable/TeachingWeek.h"

namespace orvanto::cli {

namespace {

// The week asked for: --week, the week of --date, or this week.
std::optional<std::int16_t> chosenWeek(const Options& options, const Context& context) {
    if (options.week) {
        return options.week;
    }
    auto week = timetable::weekno(options.date.value_or(context.today), context.term);
    if (!week) {
        return std::nullopt;
    }
    return week.value();
}

int weekTooFar(Context& context) {
    return printError(context.err, "the date lies too far from the term to number its week",
                      kExitUsage);
}

} // namespace

int runWeek(const Options& options, Context& context) {
    const auto week = chosenWeek(options, context);
    if (!week) {
        return weekTooFar(context);
    }
    context.out << *week << "\n";
    return kExitOk;
}

int runGrid(const Options& options, Context& context) {
    const auto week = chosenWeek(options, context);
    if (!week) {
        return weekTooFar(context);
    }
    const auto loaded = service::loadTimetable(options.workbook);
    if (!loaded) {
        return printError(context.err, options.workbook + ": " + loaded.failure().description,
                          kExitLoadFailure);
    }
    const timetable::GridComposition grid = service::composeWeek(loaded.value(), *week);
    if (options.json) {
        context.out << gridJson(*week, loaded->markers, grid) << "\n";
    } else {
        context.out << gridTable(*week, grid, context.term);
        if (grid.failure) {
            // The viewer's own message for a cell it cannot read, as the viewer shows it.
            context.err << timetable::failureMessage(*grid.failure) << "\n";
        }
    }
    return grid.failure ? kExitComposeFailure : kExitOk;
}

} // namespace orvanto::cli
