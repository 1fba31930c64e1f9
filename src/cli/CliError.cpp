#include "CliError.h"

namespace orvanto::cli {

namespace {

// The failure's reason in the stream's language: in English the failure's own detail.
std::string failureReason(std::ios_base& stream, const core::Failure& failure,
                          service::FailedStep step) {
    if (languageOf(stream) == Language::English) {
        return failure.detail;
    }
    return service::failureReason(failure.status, failure.subject, step);
}

} // namespace

int exitCodeFor(core::Status status) {
    using core::Status;
    switch (status) {
    case Status::Usage:
    case Status::WeekOutOfRange:
        return kExitUsage;
    case Status::TypeMismatch:
    case Status::Overflow:
    case Status::NoWorkbook:
    case Status::ActiveSheetNotWorksheet:
    case Status::BadCellAddress:
        return kExitComposeFailure;
    case Status::Io:
        return kExitWriteFailure;
    default: // a workbook or an export that cannot be read, a missing marker, no timetable
        return kExitLoadFailure;
    }
}

std::string say(std::ios_base& stream, Text text, std::initializer_list<std::string_view> args) {
    return say(languageOf(stream), text, args);
}

int printError(std::ostream& err, std::string_view message, int exitCode) {
    err << say(err, Text::ErrorLine, {message}) << "\n";
    return exitCode;
}

int printFailure(std::ostream& err, const core::Failure& failure, std::string_view file,
                 service::FailedStep step) {
    const std::string reason = failureReason(err, failure, step);
    if (file.empty()) {
        return printError(err, reason, exitCodeFor(failure.status));
    }
    return printError(err, say(err, Text::FileAndReason, {file, reason}),
                      exitCodeFor(failure.status));
}

void printWarning(std::ostream& err, std::string_view message) {
    err << say(err, Text::WarningLine, {message}) << "\n";
}

int printUsageError(std::ostream& err, std::string_view message) {
    printError(err, message, kExitUsage);
    err << say(err, Text::TryHelp) << "\n";
    return kExitUsage;
}

} // namespace orvanto::cli
