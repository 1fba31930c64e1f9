// import: a school's timetable export turned into a workbook the viewer reads.
#include "CliCommands.h"
#include "CliError.h"
#include "CliOutput.h"
#include "core/Concat.h"
#include "service/SchoolExports.h"
#include "service/StudentFiles.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/ReadLimits.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::cli {

namespace {

// The weekday as the export's reader counts it, like its periods: 1 Monday .. 7 Sunday.
std::string isoWeekdayJson(const std::optional<int>& weekday) {
    return weekday ? std::to_string(*weekday + 1) : "null";
}

std::string pairJson(int first, int last) {
    return core::concat({"[", std::to_string(first), ", ", std::to_string(last), "]"});
}

std::string weeksJson(const imports::WeekSet& weeks) {
    std::string out = "[";
    for (int week = 1; week <= imports::kMaxWeek; ++week) {
        if (weeks.test(static_cast<std::size_t>(week))) {
            out += out.size() > 1 ? ", " : "";
            out += std::to_string(week);
        }
    }
    return out + "]";
}

std::string dialectJson(const imports::DialectScore& score) {
    const imports::Dialect& dialect = score.dialect;
    std::string fields = "[";
    for (const imports::EntryField field : dialect.order) {
        fields += fields.size() > 1 ? ", " : "";
        fields += jsonString(imports::fieldName(field));
    }
    fields += "]";
    return core::concat({"{\"knownForms\": ", dialect.knownForms ? "true" : "false",
                         ", \"fields\": ", fields,
                         ", \"separator\": ", jsonString(imports::separatorText(dialect.separator)),
                         ", \"bracketGroups\": ", dialect.bracketGroups ? "true" : "false",
                         ", \"blankLinesPart\": ", dialect.blankLinesPart ? "true" : "false",
                         ", \"explained\": ", std::to_string(score.explained),
                         ", \"cells\": ", std::to_string(score.cells), "}"});
}

std::string placedTextsJson(const std::vector<imports::UnreadText>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const imports::UnreadText& text = texts[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"sheet\": " + jsonString(text.sheet) + ", \"cell\": " + jsonString(text.cell) +
               ", \"text\": " + jsonString(text.text) + "}";
    }
    return out + "]";
}

std::string termJson(const std::optional<imports::ExportTerm>& term) {
    if (!term) {
        return "null";
    }
    static constexpr std::string_view kHalves[] = {"autumn", "spring", "summer"};
    const auto monday = term->likelyFirstMonday();
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(monday.year()),
                  static_cast<unsigned>(monday.month()), static_cast<unsigned>(monday.day()));
    return core::concat({"{\"edition\": ", jsonString(term->edition), ", \"half\": \"",
                         kHalves[static_cast<std::size_t>(term->half)], "\", \"startYear\": ",
                         std::to_string(term->startYear), ", \"firstMonday\": \"", date, "\"}"});
}

std::string importJson(const imports::ImportResult& result) {
    std::string out = "{\"classes\": [";
    for (std::size_t i = 0; i < result.classes.size(); ++i) {
        const imports::ImportedClass& entry = result.classes[i];
        const imports::BigPeriods big = imports::bigPeriodsOf(entry.periods);
        out += (i ? ",\n  " : "\n  ");
        out += "{\"course\": " + jsonString(entry.course) +
               ", \"teacher\": " + jsonString(entry.teacher) +
               ", \"room\": " + jsonString(entry.room) +
               ", \"weekday\": " + isoWeekdayJson(entry.weekday) +
               ", \"periods\": " + pairJson(entry.periods.first, entry.periods.last) +
               ", \"bigPeriods\": " + pairJson(big.first, big.last) +
               ", \"weeks\": " + weeksJson(entry.weeks) +
               ", \"sheet\": " + jsonString(entry.sheet) + ", \"cell\": " + jsonString(entry.cell) +
               "}";
    }
    out += "],\n \"unread\": " + placedTextsJson(result.unread);
    out += ",\n \"details\": " + placedTextsJson(result.details);
    out += ",\n \"cells\": " + std::to_string(result.cells);
    out += ",\n \"reading\": " + dialectJson(result.reading);
    out += ",\n \"runnersUp\": [";
    for (std::size_t i = 0; i < result.runnersUp.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + dialectJson(result.runnersUp[i]);
    }
    out += "],\n \"term\": " + termJson(result.term);
    if (!result.unreadSheets.empty()) {
        out += ",\n \"unreadSheets\": [";
        for (std::size_t i = 0; i < result.unreadSheets.size(); ++i) {
            out += (i ? ", " : "") + jsonString(result.unreadSheets[i]);
        }
        out += "]";
    }
    return out + "}";
}

// One line per text not understood, then the sum, on stderr. A sheet's name comes from the
// file: escaped like the text, so a line break in it never splits or overwrites a line.
void reportReading(const imports::ImportResult& result, std::ostream& err) {
    for (const imports::UnreadText& text : result.unread) {
        err << say(err, Text::NotUnderstood,
                   {spreadsheet::escapedName(text.sheet), text.cell,
                    spreadsheet::quoted(text.text)})
            << "\n";
    }
    for (const std::string& sheet : result.unreadSheets) {
        err << say(err, Text::NotRead,
                   {spreadsheet::escapedName(sheet),
                    std::to_string(spreadsheet::limits::kExportSheets)})
            << "\n";
    }
    err << say(err, Text::ImportSummary,
               {std::to_string(result.classes.size()), std::to_string(result.cells),
                std::to_string(result.unread.size())});
    if (!result.details.empty()) {
        err << say(err, Text::DetailsLeftOut, {std::to_string(result.details.size())});
    }
    err << "\n";
}

// The dialect --fields and --separator ask for: the best ranked reading that has them, else one
// made of them (the fields in the order given, each on its own line without --separator).
imports::Dialect forcedDialect(const Options& options, const imports::ImportResult& read) {
    const auto fields = options.fields ? imports::fieldsNamed(*options.fields) : std::nullopt;
    const auto separator =
        options.separator ? imports::separatorNamed(*options.separator) : std::nullopt;
    auto fits = [&](const imports::Dialect& dialect) {
        return !dialect.knownForms && (!fields || dialect.order == *fields) &&
               (!separator || dialect.separator == *separator);
    };
    if (fits(read.reading.dialect)) {
        return read.reading.dialect;
    }
    for (const imports::DialectScore& score : read.runnersUp) {
        if (fits(score.dialect)) {
            return score.dialect;
        }
    }
    using imports::EntryField;
    return {.knownForms = false,
            .separator = separator.value_or(imports::FieldSeparator::LineBreak),
            .order = fields.value_or(std::vector<EntryField>{
                EntryField::Course, EntryField::Teacher, EntryField::Weeks, EntryField::Room})};
}

// The export read as the options ask: the sniffer's reading, a runner-up, or a forced dialect.
// A runner-up that the export does not have is a usage error, reported here (0 returned then).
core::Result<imports::ImportResult> readAsAsked(const Options& options,
                                                const std::filesystem::path& exportPath,
                                                Context& context, int& exitCode) {
    auto read = imports::readExportFile(exportPath);
    if (!read || !(options.reading || options.fields || options.separator)) {
        return read;
    }
    if (options.reading) {
        const std::size_t count = read->runnersUp.size();
        if (*options.reading > count) {
            exitCode = printUsageError(
                context.err,
                say(context.err, count == 1 ? Text::ReadingMissingOne : Text::ReadingMissingMany,
                    {std::to_string(*options.reading), std::to_string(count)}));
            return read;
        }
        return imports::readExportFile(exportPath,
                                       {.runnerUp = *options.reading - 1, .dialect = std::nullopt});
    }
    return imports::readExportFile(
        exportPath, {.runnerUp = std::nullopt, .dialect = forcedDialect(options, *read)});
}

} // namespace

int runImport(const Options& options, Context& context) {
    const std::filesystem::path exportPath(options.workbook);
    const std::filesystem::path out =
        options.output ? *options.output : imports::defaultWorkbookPath(exportPath);
    if (!options.json && (out == "-" || service::importTargetRefusal(out, exportPath))) {
        return printUsageError(
            context.err,
            say(context.err, out == "-" ? Text::ImportToStandardOutput : Text::ImportOverExport));
    }
    // The default OUT may be the workbook the student has since edited by hand.
    std::error_code error;
    if (!options.json && !options.output && !options.force &&
        std::filesystem::symlink_status(out, error).type() !=
            std::filesystem::file_type::not_found &&
        !error) {
        return printError(context.err, say(context.err, Text::DefaultOutExists, {out.string()}),
                          kExitWriteFailure);
    }
    int refused = kExitOk;
    const auto result = readAsAsked(options, exportPath, context, refused);
    if (refused != kExitOk) {
        return refused;
    }
    if (!result) {
        return printFailure(context.err, result.failure(), options.workbook,
                            service::FailedStep::ReadExport);
    }
    if (options.json) {
        context.out << importJson(*result) << "\n";
        reportReading(*result, context.err);
        return kExitOk;
    }
    if (const auto saved = service::saveImportedWorkbook(*result, out, exportPath); !saved) {
        // The file asked for could not be written; anything else failed making the workbook.
        return saved.failure().subject == service::kTargetUnwritable
                   ? printError(context.err,
                                say(context.err, Text::WriteFailed,
                                    {out.string(), saved.failure().detail}),
                                kExitWriteFailure)
                   : printFailure(context.err, saved.failure(), options.workbook,
                                  service::FailedStep::SaveImported);
    }
    reportReading(*result, context.err);
    context.out << say(context.out, Text::ImportWritten,
                       {std::to_string(result->classes.size()), out.string()})
                << "\n";
    return kExitOk;
}

} // namespace orvanto::cli
