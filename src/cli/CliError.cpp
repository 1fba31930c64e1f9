#include "CliError.h"

namespace orvanto::cli {

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

int printError(std::ostream& err, std::string_view message, int exitCode) {
    err << "orvanto-cli: error: " << message << "\n";
    return exitCode;
}

int printFailure(std::ostream& err, const core::Failure& failure, std::string_view file) {
    if (file.empty()) {
        return printError(err, failure.detail, exitCodeFor(failure.status));
    }
    return printError(err, std::string(file) + ": " + failure.detail, exitCodeFor(failure.status));
}

void printWarning(std::ostream& err, std::string_view message) {
    err << "orvanto-cli: warning: " << message << "\n";
}

int printUsageError(std::ostream& err, std::string_view message) {
    printError(err, message, kExitUsage);
    err << "Try 'orvanto-cli --help'.\n";
    return kExitUsage;
}

} // namespace orvanto::cli
