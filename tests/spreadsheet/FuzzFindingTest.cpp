// Inputs the fuzzers found that once misbehaved, each with the failure it must give now.
// (The corpus replay runs them under the sanitizers too.)
#include "spreadsheet/Workbook.h"

#include <gtest/gtest.h>
#include <string>

namespace orvanto::spreadsheet {
namespace {

struct Finding {
    const char* file;
    core::Status status;
};

void PrintTo(const Finding& finding, std::ostream* os) {
    *os << finding.file;
}

class FuzzFinding : public testing::TestWithParam<Finding> {};

TEST_P(FuzzFinding, IsALoadFailureWithItsStatus) {
    const auto workbook =
        Workbook::open(std::string(ORVANTO_TEST_DATA) + "/bad/" + GetParam().file);
    ASSERT_FALSE(workbook);
    EXPECT_TRUE(core::isLoadFailure(workbook.failure().status));
    EXPECT_EQ(workbook.failure().status, GetParam().status) << workbook.failure().detail;
}

INSTANTIATE_TEST_SUITE_P(
    Found, FuzzFinding,
    testing::Values(
        // An OLE2 directory whose entries form a bad tree: libgsf gives up on
        // it (and leaks an entry, suppressed in tests/lsan.supp).
        Finding{"fuzz-xls-ole-directory-damaged.xls", core::Status::NotAWorkbook},
        // Ran past the fuzzer's 10 s limit holding 800 MB: one long shared
        // string copied into every kept cell.
        Finding{"xlsx-memory-shared-string-fanout.xlsx", core::Status::TooLarge}));

} // namespace
} // namespace orvanto::spreadsheet
