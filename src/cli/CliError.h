// The one place orvanto-cli frames its diagnostics: "orvanto-cli: error: ..." on stderr, in
// the language the stream was tagged with (CliLanguage), and the table of its exit codes.
#pragma once

#include "CliText.h"
#include "core/Failure.h"
#include "service/SharedWording.h"

#include <array>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace orvanto::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitLoadFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitComposeFailure = 3;
inline constexpr int kExitWriteFailure = 4; // -o's file or standard output cannot be written
inline constexpr int kExitFindings = 5;     // check found something a student should fix

// What each exit code means, as the usage lists them.
struct ExitCodeMeaning {
    int code;
    Text meaning;
};
inline constexpr std::array kExitCodes = {
    ExitCodeMeaning{kExitOk, Text::ExitOk},
    ExitCodeMeaning{kExitLoadFailure, Text::ExitLoadFailure},
    ExitCodeMeaning{kExitUsage, Text::ExitUsage},
    ExitCodeMeaning{kExitComposeFailure, Text::ExitComposeFailure},
    ExitCodeMeaning{kExitWriteFailure, Text::ExitWriteFailure},
    ExitCodeMeaning{kExitFindings, Text::ExitFindings},
};

// The exit code of a command that stops on a failure of this status.
int exitCodeFor(core::Status status);

// Prints the message and returns the exit code, so a command can end with `return printError(...)`.
int printError(std::ostream& err, std::string_view message, int exitCode);

// "orvanto-cli: error: FILE: detail" (without FILE, the detail alone); returns the exit code
// of the failure's status. In Chinese the detail is the reason the viewer also gives for the
// status at that step: the failure's own detail is English.
int printFailure(std::ostream& err, const core::Failure& failure, std::string_view file = {},
                 service::FailedStep step = service::FailedStep::ReadTimetable);

// "orvanto-cli: warning: ...": something was not taken as written, and the command goes on.
void printWarning(std::ostream& err, std::string_view message);

// A usage error also points at --help.
int printUsageError(std::ostream& err, std::string_view message);

// The text in the stream's language (see say()).
std::string say(std::ios_base& stream, Text text,
                std::initializer_list<std::string_view> args = {});

} // namespace orvanto::cli
