#include "CliError.h"

namespace orvanto::cli {

int printError(std::ostream& err, std::string_view message, int exitCode) {
    err << "orvanto-cli: error: " << message << "\n";
    return exitCode;
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
