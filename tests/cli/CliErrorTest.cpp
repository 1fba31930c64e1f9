// The exit code of every status, as orvanto-cli --help documents them, and the error line.
#include "cli/CliError.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace orvanto::cli {
namespace {

using core::Status;

struct ExitRow {
    Status status;
    int exitCode; // 1 cannot be loaded, 2 usage, 3 not composed, 4 not written
};

constexpr ExitRow kExitRows[] = {
    {Status::FileNotFound, 1},
    {Status::NotAFile, 1},
    {Status::CannotOpen, 1},
    {Status::Empty, 1},
    {Status::NotAWorkbook, 1},
    {Status::Truncated, 1},
    {Status::Damaged, 1},
    {Status::MissingPart, 1},
    {Status::Encrypted, 1},
    {Status::UnsupportedFormat, 1},
    {Status::NoWorksheet, 1},
    {Status::TooLarge, 1},
    {Status::MarkerMissing, 1},
    {Status::NoTimetable, 1},
    {Status::TypeMismatch, 3},
    {Status::Overflow, 3},
    {Status::WeekOutOfRange, 2},
    {Status::NoWorkbook, 3},
    {Status::ActiveSheetNotWorksheet, 3},
    {Status::BadCellAddress, 3},
    {Status::InvalidClass, 1},
    {Status::Io, 4},
    {Status::Usage, 2},
};

TEST(ExitCode, EveryStatusHasTheCodeTheHelpDocuments) {
    std::set<Status> seen;
    for (const ExitRow& row : kExitRows) {
        EXPECT_EQ(exitCodeFor(row.status), row.exitCode)
            << "status " << static_cast<int>(row.status);
        seen.insert(row.status);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(core::kStatusCount));
    // Success and findings are no failure: no status may take their codes.
    for (const ExitRow& row : kExitRows) {
        EXPECT_NE(exitCodeFor(row.status), kExitOk);
        EXPECT_NE(exitCodeFor(row.status), kExitFindings);
    }
}

TEST(PrintFailure, NamesTheFileBeforeTheDetailAndReturnsTheStatusCode) {
    std::ostringstream err;
    EXPECT_EQ(printFailure(err, core::Failure{Status::Empty, "file is empty"}, "a.xlsx"), 1);
    EXPECT_EQ(printFailure(err, core::errors::weekOutOfRange()), 2);
    EXPECT_EQ(err.str(), "orvanto-cli: error: a.xlsx: file is empty\n"
                         "orvanto-cli: error: the date lies too far from the term to number its "
                         "week\n");
}

} // namespace
} // namespace orvanto::cli
