// The one place orvanto-cli words its diagnostics: "orvanto-cli: error: ..." on stderr.
#pragma once

#include "core/Failure.h"

#include <ostream>
#include <string_view>

namespace orvanto::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitLoadFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitComposeFailure = 3;
inline constexpr int kExitWriteFailure = 4; // -o's file or standard output cannot be written
inline constexpr int kExitFindings = 5;     // check found something a student should fix

// The exit code of a command that stops on a failure of this status.
int exitCodeFor(core::Status status);

// Prints the message and returns the exit code, so a command can end with `return printError(...)`.
int printError(std::ostream& err, std::string_view message, int exitCode);

// "orvanto-cli: error: FILE: detail" (without FILE, the detail alone); returns the exit code
// of the failure's status.
int printFailure(std::ostream& err, const core::Failure& failure, std::string_view file = {});

// "orvanto-cli: warning: ...": something was not taken as written, and the command goes on.
void printWarning(std::ostream& err, std::string_view message);

// A usage error also points at --help.
int printUsageError(std::ostream& err, std::string_view message);

} // namespace orvanto::cli
