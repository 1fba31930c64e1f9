// Damaged and hostile .xlsx input: a load failure with a stated reason, never a
// crash, a hang or an unbounded allocation.
#include "TestFiles.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ORVANTO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTO_ASAN 1
#endif
#endif

namespace orvanto::spreadsheet {
namespace {

struct BadFile {
    std::string file;
    std::string reason; // part of the failure's description
};

std::ostream& operator<<(std::ostream& out, const BadFile& bad) {
    return out << bad.file;
}

const BadFile kBadFiles[] = {
    {"xlsx-empty.xlsx", "empty file"},
    {"xlsx-text-file.xlsx", "not a zip archive"},
    {"xlsx-truncated-4.xlsx", "not a zip archive"},
    {"xlsx-truncated-200.xlsx", "not a zip archive"},
    {"xlsx-truncated-2000.xlsx", "not a zip archive"},
    {"xlsx-truncated-6208.xlsx", "not a zip archive"},
    {"xlsx-no-workbook.xlsx", "xl/workbook.xml missing"},
    {"xlsx-missing-sheet-part.xlsx", "sheet part xl/worksheets/sheet9.xml missing"},
    {"xlsx-missing-relationship.xlsx", "refers to relationship \"rId77\" missing"},
    {"xlsx-no-worksheet.xlsx", "lists no worksheet"},
    {"xlsx-binary-workbook.xlsb", "xl/workbook.bin is a binary (.xlsb) workbook"},
    {"xlsx-malformed-sheet.xlsx", "malformed XML in xl/worksheets/sheet1.xml at line 4"},
    {"xlsx-byte-flipped.xlsx", "xl/worksheets/sheet1.xml"},
    {"xlsx-billion-laughs.xlsx", "xl/sharedStrings.xml has a DOCTYPE declaration"},
    {"xlsx-declared-count-billions.xlsx", "shared string 3999999999 missing"},
    {"xlsx-row-number-billions.xlsx", "invalid row number \"4000000003\""},
    {"xlsx-cell-reference-out-of-range.xlsx", "invalid cell reference \"XFE3\""},
    {"xlsx-zip-bomb-sheet.xlsx", "xl/worksheets/sheet1.xml inflates to more than 128 MiB"},
    {"xlsx-zip-bomb-shared-strings.xlsx", "xl/sharedStrings.xml inflates to more than 128 MiB"},
};

class XlsxBadFileTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(XlsxBadFileTest, FailsToLoadWithItsReason) {
    const BadFile& bad = GetParam();
    const auto result = readXlsx(testing::testDataBytes("bad/" + bad.file));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, core::errors::kNoWorkbook);
    EXPECT_NE(result.failure().description.find(bad.reason), std::string::npos)
        << result.failure().description;
}

INSTANTIATE_TEST_SUITE_P(BadFiles, XlsxBadFileTest, ::testing::ValuesIn(kBadFiles));

// Millions of rows past row 202 and then a broken tail: the reader stops at row
// 203 and never sees the tail.
TEST(XlsxBadInputTest, StopsReadingAtTheFirstRowPastTheKeptOnes) {
    const auto result = readXlsx(testing::testDataBytes("bad/xlsx-row-flood.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result->markerColumn[2].text, "第一节");
    EXPECT_EQ(result->grid[2][0].text, "高等数学");
}

// Every prefix of a good workbook is damaged; none may crash or pass as a workbook.
TEST(XlsxBadInputTest, RejectsEveryTruncation) {
    const auto good = testing::testDataBytes("samples/layout-typical-libreoffice.xlsx");
    ASSERT_FALSE(good.empty());
    for (std::size_t length = 0; length < good.size(); length += 37) {
        const auto result = readXlsx(std::span(good.data(), length));
        EXPECT_FALSE(result.ok()) << "length " << length;
    }
}

// Flipped bytes may leave a readable workbook or not; either way the reader returns.
TEST(XlsxBadInputTest, SurvivesFlippedBytes) {
    const auto good = testing::testDataBytes("samples/layout-typical-xlsxwriter.xlsx");
    ASSERT_FALSE(good.empty());
    for (std::size_t at = 0; at < good.size(); at += 13) {
        auto damaged = good;
        damaged[at] ^= 0x5A;
        const auto result = readXlsx(damaged);
        if (!result.ok()) {
            EXPECT_EQ(result.failure().number, core::errors::kNoWorkbook) << "byte " << at;
            EXPECT_FALSE(result.failure().description.empty()) << "byte " << at;
        }
    }
}

// The bombs run in a child whose address space is capped: inflating them in full
// or allocating by their declared counts would kill it.
TEST(XlsxBadInputTest, BombsStayWithinBoundedMemory) {
#ifdef ORVANTO_ASAN
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the cap allows";
#else
    const char* bombs[] = {"xlsx-zip-bomb-sheet.xlsx", "xlsx-zip-bomb-shared-strings.xlsx",
                           "xlsx-billion-laughs.xlsx", "xlsx-declared-count-billions.xlsx",
                           "xlsx-row-flood.xlsx"};
    for (const char* bomb : bombs) {
        const auto bytes = testing::testDataBytes(std::string("bad/") + bomb);
        ASSERT_FALSE(bytes.empty()) << bomb;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlim_t cap = rlim_t{256} << 20;
            const rlimit limit{cap, cap};
            setrlimit(RLIMIT_AS, &limit);
            const auto result = readXlsx(bytes);
            // Reaching here at all is the point; the reasons are checked above.
            _exit(result.ok() || !result.failure().description.empty() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << bomb;
    }
#endif
}

} // namespace
} // namespace orvanto::spreadsheet
