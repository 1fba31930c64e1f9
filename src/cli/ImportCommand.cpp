// import: a school's timetable export turned into a workbook the viewer reads.
#include "CliCommands.h"
#include "CliError.h"
#include "CliOutput.h"
#include "core/Concat.h"
#include "imports/ExportReader.h"
#include "imports/output/WorkbookWriter.h"
#include "platform/AtomicReplace.h"
#include "spreadsheet/LoadFailure.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace orvanto::cli {

namespace {

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
    return core::concat(
        {"{\"knownForms\": ", dialect.knownForms ? "true" : "false", ", \"fields\": ", fields,
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
               ", \"weekday\": " + std::to_string(entry.weekday) +
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
    return out + "],\n \"term\": " + termJson(result.term) + "}";
}

// One line per text not understood, then the sum, on stderr.
void reportReading(const imports::ImportResult& result, std::ostream& err) {
    for (const imports::UnreadText& text : result.unread) {
        err << "orvanto-cli: not understood: " << text.sheet << "!" << text.cell << " "
            << spreadsheet::quoted(text.text) << "\n";
    }
    err << "orvanto-cli: " << result.classes.size() << " classes from " << result.cells
        << " cells, " << result.unread.size() << " texts not understood";
    if (!result.details.empty()) {
        err << ", " << result.details.size() << " details left out";
    }
    err << "\n";
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace

int runImport(const Options& options, Context& context) {
    const std::filesystem::path exportPath(options.workbook);
    const std::filesystem::path out =
        options.output ? *options.output : imports::defaultWorkbookPath(exportPath);
    if (!options.json && (out == "-" || sameFile(out, exportPath))) {
        return printUsageError(context.err, out == "-"
                                                ? "import writes a workbook file: -o takes its path"
                                                : "-o names the export itself, which is never "
                                                  "written");
    }
    const auto result = imports::readExportFile(exportPath);
    if (!result) {
        return printFailure(context.err, result.failure(), options.workbook);
    }
    if (options.json) {
        context.out << importJson(*result) << "\n";
        reportReading(*result, context.err);
        return kExitOk;
    }
    const auto workbook = imports::writeTimetableWorkbook(*result);
    if (!workbook) {
        return printFailure(context.err, workbook.failure(), options.workbook);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(workbook->data()), workbook->size());
    if (auto reason = platform::replaceFile(out, bytes)) {
        return printError(context.err, *reason, kExitWriteFailure);
    }
    reportReading(*result, context.err);
    context.out << result->classes.size() << " classes written to " << out.string() << "\n";
    return kExitOk;
}

} // namespace orvanto::cli
