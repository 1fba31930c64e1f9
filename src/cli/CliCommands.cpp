#include "CliCommands.h"

#include "CliError.h"
#include "CliOutput.h"
#include "service/SchoolExports.h"
#include "settings/TermText.h"

#include <filesystem>

namespace orvanto::cli {

namespace {

using Problem = settings::TermNotice::Problem;

// Why a term.ini setting or a term option is not taken as written.
std::string termNoticeText(const settings::TermNotice& notice) {
    const std::string setting = notice.key == service::kStartOptionKey
                                    ? notice.key + " " + notice.value
                                    : notice.key + "=" + notice.value;
    switch (notice.problem) {
    case Problem::NotADate:
        return setting + " is not a date written as YYYY-MM-DD";
    case Problem::StartOutOfRange:
        return setting + " is not a date from 1900 to 9999";
    case Problem::NotAMonday:
        return setting + " is not a Monday";
    case Problem::WeeksOutOfRange:
        return setting + " is not a whole number from 1 to 30";
    case Problem::EditionNotText:
        return "edition is not UTF-8 text without control characters";
    case Problem::EditionTooLong:
        return "edition is longer than " + std::to_string(settings::kMaxEditionCharacters) +
               " characters";
    case Problem::NotAPeriod:
        return "period " + setting + " is not HH:MM-HH:MM ending after it starts";
    case Problem::UnrecognisedLine:
        return "line " + notice.key + " is neither [section] nor key=value: " + notice.value;
    case Problem::FileUnreadable:
        return "not a readable text file";
    }
    return {};
}

// The week of --date, or of today; none when it is too far from the term to number.
std::optional<service::WeekView> weekOfDate(const Options& options, const Context& context) {
    return context.schedule.date(options.date.value_or(context.today));
}

} // namespace

int openSchedule(service::Schedule& schedule, const Options& options, Needs needs,
                 const std::optional<std::filesystem::path>& settingsTerm, std::ostream& err) {
    if (!needs.term && !needs.timetable) {
        return kExitOk;
    }
    service::TermSource term{.start = options.termStart, .weeks = options.weeks};
    if (options.termFile) {
        term.file = std::filesystem::path(*options.termFile);
        term.named = true;
    } else {
        term.file = settingsTerm;
    }
    const service::WorkbookSource workbook{.file = needs.timetable
                                                       ? std::filesystem::path(options.workbook)
                                                       : std::filesystem::path()};
    schedule.open(term, workbook);

    using Refusal = service::OpenedTerm::Refusal;
    switch (schedule.openedTerm().refusal) {
    case Refusal::NoFile:
        return printUsageError(err, "--term " + *options.termFile + ": no such file");
    case Refusal::UnusableSetting:
        return printUsageError(err, "--term " + *options.termFile + ": " +
                                        termNoticeText(schedule.openedTerm().refusedSetting));
    case Refusal::None:
        break;
    }
    for (const settings::TermNotice& notice : schedule.termNotices()) {
        const bool option = notice.key == service::kStartOptionKey;
        const bool moved = notice.problem == Problem::NotAMonday;
        const std::string source = option ? std::string() : term.file->string() + ": ";
        printWarning(err,
                     source + termNoticeText(notice) +
                         (moved ? "; the Monday of its week is used" : "; the default is used"));
    }
    if (needs.timetable && !schedule.hasTimetable()) {
        const int failed = printFailure(err, *schedule.loadFailure(), options.workbook);
        // A school's export given where a timetable belongs: say which command reads it.
        if (imports::readExportFile(std::filesystem::path(options.workbook))) {
            err << "orvanto-cli: looks like a school's export: use `orvanto-cli import FILE`\n";
        }
        return failed;
    }
    return kExitOk;
}

int weekTooFar(Context& context) {
    return printFailure(context.err, core::errors::weekOutOfRange());
}

int runWeek(const Options& options, Context& context) {
    const auto week = context.schedule.weekOf(options.date.value_or(context.today));
    if (!week) {
        return weekTooFar(context);
    }
    context.out << *week << "\n";
    if (!context.schedule.inTerm(*week)) {
        // The number alone reads like any other week: say what grid's heading says.
        context.err << "第" << *week << "周（不在教学周内）\n";
    }
    return kExitOk;
}

int runGrid(const Options& options, Context& context) {
    const std::optional<service::WeekView> view =
        options.week ? context.schedule.week(*options.week) : weekOfDate(options, context);
    if (!view) {
        return weekTooFar(context);
    }
    const service::GridComposition& grid = *view->grid;
    if (options.json) {
        context.out << gridJson(*view, context.schedule.timetable().markers) << "\n";
    } else {
        context.out << gridTable(*view);
        if (grid.failure) {
            // The viewer's own message for a cell it cannot read, as the viewer shows it.
            context.err << core::legacyMessage(*grid.failure) << "\n";
        }
    }
    return grid.failure ? exitCodeFor(grid.failure->status) : kExitOk;
}

int runCheck(const Options&, Context& context) {
    const auto& findings = context.schedule.findings();
    const bool toFix = service::countToFix(findings) > 0;
    if (!toFix) {
        context.out << "未发现会让课程不显示的写法。\n";
    }
    for (const service::Finding& finding : findings) {
        if (!finding.note) {
            context.out << finding.line << "\n";
        }
    }
    // Notes say what the layout does on purpose: told, but no reason to fail.
    for (const service::Finding& finding : findings) {
        if (finding.note) {
            context.out << "说明：" << finding.line << "\n";
        }
    }
    return toFix ? kExitFindings : kExitOk;
}

} // namespace orvanto::cli
