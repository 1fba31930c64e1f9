#include "CliCommands.h"

#include "CliError.h"
#include "CliOutput.h"
#include "service/SchoolExports.h"
#include "service/SharedWording.h"
#include "settings/TermText.h"

#include <filesystem>

namespace orvanto::cli {

namespace {

using Problem = settings::TermNotice::Problem;

// Why a term.ini setting or a term option is not taken as written.
std::string termNoticeText(std::ios_base& stream, const settings::TermNotice& notice) {
    const std::string setting = notice.key == service::kStartOptionKey
                                    ? notice.key + " " + notice.value
                                    : notice.key + "=" + notice.value;
    switch (notice.problem) {
    case Problem::NotADate:
        return say(stream, Text::NoticeNotADate, {setting});
    case Problem::StartOutOfRange:
        return say(stream, Text::NoticeStartOutOfRange, {setting});
    case Problem::NotAMonday:
        return say(stream, Text::NoticeNotAMonday, {setting});
    case Problem::WeeksOutOfRange:
        return say(stream, Text::NoticeWeeksOutOfRange, {setting});
    case Problem::EditionNotText:
        return say(stream, Text::NoticeEditionNotText);
    case Problem::EditionTooLong:
        return say(stream, Text::NoticeEditionTooLong,
                   {std::to_string(settings::kMaxEditionCharacters)});
    case Problem::NotAPeriod:
        return say(stream, Text::NoticeNotAPeriod, {setting});
    case Problem::UnrecognisedLine:
        return say(stream, Text::NoticeUnrecognisedLine, {notice.key, notice.value});
    case Problem::FileUnreadable:
        return say(stream, Text::NoticeFileUnreadable);
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
        return printUsageError(err, say(err, Text::TermNoSuchFile, {*options.termFile}));
    case Refusal::UnusableSetting:
        return printUsageError(
            err,
            say(err, Text::TermRefused,
                {*options.termFile, termNoticeText(err, schedule.openedTerm().refusedSetting)}));
    case Refusal::None:
        break;
    }
    for (const settings::TermNotice& notice : schedule.termNotices()) {
        const bool option = notice.key == service::kStartOptionKey;
        const bool moved = notice.problem == Problem::NotAMonday;
        const std::string source = option ? std::string() : term.file->string() + ": ";
        printWarning(err, say(err, moved ? Text::NoticeMondayUsed : Text::NoticeDefaultUsed,
                              {source + termNoticeText(err, notice)}));
    }
    if (needs.timetable && !schedule.hasTimetable()) {
        const int failed = printFailure(err, *schedule.loadFailure(), options.workbook);
        // A school's export given where a timetable belongs: say which command reads it.
        if (imports::readExportFile(std::filesystem::path(options.workbook))) {
            err << say(err, Text::LooksLikeExport) << "\n";
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
        context.err << service::weekName(*week) << "（不在教学周内）\n";
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
        context.out << service::kNothingToFix << "\n";
    }
    for (const service::Finding& finding : findings) {
        if (!finding.note) {
            context.out << finding.line << "\n";
        }
    }
    // Notes say what the layout does on purpose: told, but no reason to fail.
    for (const service::Finding& finding : findings) {
        if (finding.note) {
            context.out << service::kNoteLead << finding.line << "\n";
        }
    }
    return toFix ? kExitFindings : kExitOk;
}

} // namespace orvanto::cli
