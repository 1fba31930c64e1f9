// Inputs the fuzzers found that once misbehaved, each with the failure it must give now.
// (The corpus replay runs them under the sanitizers too.)
#include "spreadsheet/Workbook.h"

#include <gtest/gtest.h>
#include <string>

namespace orvanto::spreadsheet {
namespace {

struct Finding {
    const char* file;
    const char* failure; // part of the load failure's reason
};

void PrintTo(const Finding& finding, std::ostream* os) {
    *os << finding.file;
}

class FuzzFinding : public testing::TestWithParam<Finding> {};

TEST_P(FuzzFinding, IsALoadFailureWithItsReason) {
    const auto workbook =
        Workbook::open(std::string(ORVANTO_TEST_DATA) + "/bad/" + GetParam().file);
    ASSERT_FALSE(workbook);
    EXPECT_EQ(workbook.failure().number, core::errors::kNoWorkbook);
    EXPECT_NE(workbook.failure().description.find(GetParam().failure), std::string::npos)
        << workbook.failure().description;
}

INSTANTIATE_TEST_SUITE_P(Found, FuzzFinding,
                         testing::Values(
                             // An OLE2 directory whose entries form a bad tree: libgsf gives up on
                             // it (and leaks an entry, suppressed in tests/lsan.supp).
                             Finding{"fuzz-xls-ole-directory-damaged.xls",
                                     "no Workbook or Book stream"},
                             // Ran past the fuzzer's 10 s limit holding 800 MB: one long shared
                             // string copied into every kept cell.
                             Finding{"xlsx-memory-shared-string-fanout.xlsx", "MiB of text"}));

} // namespace
} // namespace orvanto::spreadsheet
