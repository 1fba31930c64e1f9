#include "CliError.h"

namespace orvanto::cli {

namespace {

// The Chinese reason of a failure, by its status.
Text reasonText(core::Status status) {
    using core::Status;
    switch (status) {
    case Status::FileNotFound:
        return Text::FileNotFound;
    case Status::NotAFile:
        return Text::NotAFile;
    case Status::CannotOpen:
        return Text::CannotOpen;
    case Status::Empty:
        return Text::EmptyFile;
    case Status::NotAWorkbook:
        return Text::NotAWorkbook;
    case Status::Truncated:
        return Text::Truncated;
    case Status::Damaged:
    case Status::MissingPart:
        return Text::Damaged;
    case Status::Encrypted:
        return Text::Encrypted;
    case Status::UnsupportedFormat:
        return Text::UnsupportedFormat;
    case Status::NoWorksheet:
        return Text::NoWorksheet;
    case Status::TooLarge:
        return Text::TooLarge;
    case Status::MarkerMissing:
        return Text::MarkerMissing;
    case Status::NoTimetable:
        return Text::NoTimetable;
    case Status::TypeMismatch:
        return Text::TypeMismatch;
    case Status::Overflow:
        return Text::Overflow;
    case Status::WeekOutOfRange:
        return Text::WeekOutOfRange;
    case Status::NoWorkbook:
        return Text::NoWorkbook;
    case Status::ActiveSheetNotWorksheet:
        return Text::ActiveSheetNotWorksheet;
    case Status::BadCellAddress:
        return Text::BadCellAddress;
    case Status::InvalidClass:
        return Text::InvalidClass;
    case Status::Io:
        return Text::CannotWrite;
    case Status::Usage:
        break;
    }
    return Text::BadUsage;
}

// The failure's reason in the stream's language: in English the failure's own detail.
std::string failureReason(std::ios_base& stream, const core::Failure& failure) {
    if (languageOf(stream) == Language::English) {
        return failure.detail;
    }
    return say(languageOf(stream), reasonText(failure.status), {failure.subject});
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

int printFailure(std::ostream& err, const core::Failure& failure, std::string_view file) {
    const std::string reason = failureReason(err, failure);
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
