#include "CliCommands.h"

#include "CliError.h"
#include "CliOutput.h"
#include "service/Timetable.h"
#include "service/TimetableCheck.h"
#include "settings/TermSettings.h"
#include "timetable/TeachingWeek.h"

namespace orvanto::cli {

namespace {

// Why a term.ini setting is not taken, for the usage error.
std::string termNoticeText(const settings::TermNotice& notice) {
    using Problem = settings::TermNotice::Problem;
    const std::string setting = notice.key + "=" + notice.value;
    switch (notice.problem) {
    case Problem::NotADate:
        return setting + " is not a date written as YYYY-MM-DD";
    case Problem::NotAMonday:
        return setting + " is not a Monday";
    case Problem::WeeksOutOfRange:
        return setting + " is not a whole number from 1 to 30";
    case Problem::EditionNotText:
        return "edition is not UTF-8 text without control characters";
    case Problem::EditionTooLong:
        return "edition is longer than 60 characters";
    case Problem::NotAPeriod:
        return "period " + setting + " is not HH:MM-HH:MM ending after it starts";
    case Problem::UnrecognisedLine:
        return "line " + notice.key + " is neither [section] nor key=value: " + notice.value;
    case Problem::FileUnreadable:
        return "not a readable text file";
    }
    return {};
}

core::Failure termUsage(std::string message) {
    return {core::Status::Usage, std::move(message)};
}

// The week asked for: --week, the week of --date, or this week.
std::optional<std::int16_t> chosenWeek(const Options& options, const Context& context,
                                       const core::Term& term) {
    if (options.week) {
        return options.week;
    }
    auto week = timetable::weekno(options.date.value_or(context.today), term);
    if (!week) {
        return std::nullopt;
    }
    return week.value();
}

} // namespace

core::Result<core::Term> chosenTerm(const Options& options, const core::Term& base) {
    core::Term term = base;
    if (options.termFile) {
        const settings::StoredTerm stored = settings::TermSettings(*options.termFile).read();
        if (!stored.fileExists) {
            return termUsage("--term " + *options.termFile + ": no such file");
        }
        if (!stored.notices.empty()) {
            return termUsage("--term " + *options.termFile + ": " +
                             termNoticeText(stored.notices.front()));
        }
        term = stored.term;
    }
    if (options.termStart) {
        using namespace std::chrono;
        if (weekday{sys_days{*options.termStart}} != Monday) {
            return termUsage("--term-start takes the Monday of week 1; " +
                             settings::isoDate(*options.termStart) + " is not a Monday");
        }
        term.firstMonday = *options.termStart;
    }
    if (options.weeks) {
        term.weeks = *options.weeks;
    }
    return term;
}

core::Term settingsTerm(const std::filesystem::path& file, std::ostream& err) {
    const settings::StoredTerm stored = settings::TermSettings(file).read();
    for (const settings::TermNotice& notice : stored.notices) {
        const bool keepsWeek = notice.problem == settings::TermNotice::Problem::NotAMonday;
        printWarning(
            err, file.string() + ": " + termNoticeText(notice) +
                     (keepsWeek ? "; the Monday of its week is used" : "; the default is used"));
    }
    return stored.term;
}

std::optional<core::Term> termOrReport(const Options& options, Context& context) {
    const core::Term base = !options.termFile && context.settingsTerm
                                ? settingsTerm(*context.settingsTerm, context.err)
                                : core::Term{};
    auto term = chosenTerm(options, base);
    if (!term) {
        printUsageError(context.err, term.failure().detail);
        return std::nullopt;
    }
    return term.value();
}

std::optional<service::LoadedTimetable> timetableOrReport(const Options& options,
                                                          Context& context) {
    auto loaded = service::loadTimetable(options.workbook);
    if (!loaded) {
        printFailure(context.err, loaded.failure(), options.workbook);
        return std::nullopt;
    }
    return std::move(loaded.value());
}

std::optional<TermAndTimetable> openOrReport(const Options& options, Context& context,
                                             int& exitCode) {
    auto term = termOrReport(options, context);
    if (!term) {
        exitCode = kExitUsage;
        return std::nullopt;
    }
    auto loaded = timetableOrReport(options, context);
    if (!loaded) {
        exitCode = kExitLoadFailure;
        return std::nullopt;
    }
    return TermAndTimetable{std::move(*term), std::move(*loaded)};
}

int weekTooFar(Context& context) {
    return printFailure(context.err, core::errors::weekOutOfRange());
}

int runWeek(const Options& options, Context& context) {
    const auto term = termOrReport(options, context);
    if (!term) {
        return kExitUsage;
    }
    const auto week = chosenWeek(options, context, *term);
    if (!week) {
        return weekTooFar(context);
    }
    context.out << *week << "\n";
    if (!timetable::isTeachingWeek(*week, *term)) {
        // The number alone reads like any other week: say what grid's heading says.
        context.err << "第" << *week << "周（不在教学周内）\n";
    }
    return kExitOk;
}

int runGrid(const Options& options, Context& context) {
    const auto term = termOrReport(options, context);
    if (!term) {
        return kExitUsage;
    }
    const auto week = chosenWeek(options, context, *term);
    if (!week) {
        return weekTooFar(context);
    }
    const auto loaded = timetableOrReport(options, context);
    if (!loaded) {
        return kExitLoadFailure;
    }
    const timetable::GridComposition grid = service::composeWeek(loaded.value(), *week);
    if (options.json) {
        context.out << gridJson(*week, loaded->markers, grid) << "\n";
    } else {
        context.out << gridTable(*week, grid, term.value());
        if (grid.failure) {
            // The viewer's own message for a cell it cannot read, as the viewer shows it.
            context.err << core::legacyMessage(*grid.failure) << "\n";
        }
    }
    return grid.failure ? kExitComposeFailure : kExitOk;
}

int runCheck(const Options& options, Context& context) {
    int exitCode = kExitOk;
    const auto opened = openOrReport(options, context, exitCode);
    if (!opened) {
        return exitCode;
    }
    const auto findings = service::checkTimetable(opened->loaded, opened->term);
    if (findings.empty()) {
        context.out << "未发现会让课程不显示的写法。\n";
        return kExitOk;
    }
    for (const service::Finding& finding : findings) {
        context.out << finding.line << "\n";
    }
    return kExitFindings;
}

} // namespace orvanto::cli
