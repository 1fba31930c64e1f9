// Damaged and hostile .xlsx input: a load failure with a stated reason, never a
// crash, a hang or an unbounded allocation.
#include "TestFiles.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
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

using core::Status;

struct BadFile {
    std::string file;
    Status status;
};

std::ostream& operator<<(std::ostream& out, const BadFile& bad) {
    return out << bad.file;
}

const BadFile kBadFiles[] = {
    {"xlsx-empty.xlsx", Status::Empty},
    {"xlsx-text-file.xlsx", Status::NotAWorkbook},
    {"xlsx-truncated-4.xlsx", Status::Truncated},
    {"xlsx-truncated-200.xlsx", Status::Truncated},
    {"xlsx-truncated-2000.xlsx", Status::Truncated},
    {"xlsx-truncated-6208.xlsx", Status::Truncated},
    {"xlsx-no-workbook.xlsx", Status::MissingPart},
    {"xlsx-missing-sheet-part.xlsx", Status::MissingPart},
    {"xlsx-missing-relationship.xlsx", Status::MissingPart},
    {"xlsx-no-worksheet.xlsx", Status::NoWorksheet},
    {"xlsx-binary-workbook.xlsb", Status::UnsupportedFormat},
    {"xlsx-malformed-sheet.xlsx", Status::Damaged},
    {"xlsx-byte-flipped.xlsx", Status::Damaged},
    {"xlsx-billion-laughs.xlsx", Status::Damaged},
    {"xlsx-declared-count-billions.xlsx", Status::Damaged},
    {"xlsx-row-number-billions.xlsx", Status::Damaged},
    {"xlsx-cell-reference-out-of-range.xlsx", Status::Damaged},
    {"xlsx-zip-bomb-sheet.xlsx", Status::TooLarge},
    {"xlsx-zip-bomb-shared-strings.xlsx", Status::TooLarge},
    // Listed in the zip's directory, but the member's own header is gone.
    {"xlsx-damaged-workbook-header.xlsx", Status::Damaged},
    {"xlsx-damaged-sheet-header.xlsx", Status::Damaged},
    {"xlsx-damaged-shared-strings-header.xlsx", Status::Damaged},
    {"xlsx-damaged-workbook-rels-header.xlsx", Status::Damaged},
    {"xlsx-damaged-package-rels-header.xlsx", Status::Damaged},
    // 200 KB of text over many lines where a number belongs: quoted short, on one line.
    {"xlsx-long-bad-number.xlsx", Status::Damaged},
    {"xlsx-active-sheet-empty-rid.xlsx", Status::MissingPart},
    // "xl\\workbook.xml.bak" only begins like the workbook's name.
    {"xlsx-backslash-workbook-near-miss.xlsx", Status::MissingPart},
    // Elements nested past the depth limit, a million levels or one.
    {"xlsx-memory-deep-elements.xlsx", Status::Damaged},
    {"xlsx-depth-past-limit.xlsx", Status::Damaged},
};

class XlsxBadFileTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(XlsxBadFileTest, FailsToLoadWithItsStatus) {
    const BadFile& bad = GetParam();
    const auto result = readXlsx(testing::testDataBytes("bad/" + bad.file));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().status, bad.status) << result.failure().detail;
    EXPECT_TRUE(testing::isOneShortLine(result.failure())) << result.failure().detail;
}

INSTANTIATE_TEST_SUITE_P(BadFiles, XlsxBadFileTest, ::testing::ValuesIn(kBadFiles));

// A damaged or missing part is named, so the message can say which one.
TEST(XlsxBadInputTest, NamesThePartAtFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"xlsx-damaged-workbook-header.xlsx", "xl/workbook.xml"},
        {"xlsx-damaged-sheet-header.xlsx", "xl/worksheets/sheet1.xml"},
        {"xlsx-damaged-shared-strings-header.xlsx", "xl/sharedStrings.xml"},
        {"xlsx-damaged-package-rels-header.xlsx", "_rels/.rels"},
        {"xlsx-missing-sheet-part.xlsx", "xl/worksheets/sheet9.xml"},
        {"xlsx-malformed-sheet.xlsx", "xl/worksheets/sheet1.xml"},
        {"xlsx-zip-bomb-shared-strings.xlsx", "xl/sharedStrings.xml"},
        {"xlsx-depth-past-limit.xlsx", "xl/worksheets/sheet1.xml"},
    };
    for (const auto& [file, part] : cases) {
        const auto result = readXlsx(testing::testDataBytes(std::string("bad/") + file));
        ASSERT_FALSE(result.ok()) << file;
        EXPECT_EQ(result.failure().subject, part) << file;
    }
}

// libgsf prints and logs what it finds wrong with a damaged archive, and GLib complains of
// an impossible member date; none of it may reach the terminal, where the failure's one
// line says it all (or, for the date, the workbook simply loads).
TEST(XlsxBadInputTest, LibraryDiagnosticsStayOffTheTerminal) {
    for (const char* file :
         {"xlsx-damaged-workbook-header.xlsx", "xlsx-damaged-sheet-header.xlsx",
          "xlsx-truncated-2000.xlsx", "xlsx-byte-flipped.xlsx", "xlsx-invalid-member-date.xlsx"}) {
        const auto bytes = testing::testDataBytes(std::string("bad/") + file);
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const auto result = readXlsx(bytes);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << file;
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << file;
        EXPECT_EQ(result.ok(), std::string(file) == "xlsx-invalid-member-date.xlsx") << file;
    }
}

// Only the first worksheet and the active sheet are read: a relationship left empty on
// another sheet does not make the workbook unreadable.
TEST(XlsxBadInputTest, UnreadSheetWithAnEmptyRelationshipStillLoads) {
    const auto result = readXlsx(testing::testDataBytes("bad/xlsx-unread-sheet-empty-rid.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    const auto good = readXlsx(testing::testDataBytes("samples/layout-typical-xlsxwriter.xlsx"));
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(result->grid, good->grid);
}

// Packages that differ from the sample only in how they spell part names (backslashes, as
// some Windows writers store them, alone or mixed with '/' and other case) or in Excel 2007's
// pre-release namespace read exactly like it.
TEST(XlsxBadInputTest, VariantSpellingsReadLikeTheSample) {
    const auto good = readXlsx(testing::testDataBytes("samples/layout-typical-xlsxwriter.xlsx"));
    ASSERT_TRUE(good.ok());
    for (const char* file : {"xlsx-backslash-names.xlsx", "xlsx-backslash-mixed-names.xlsx",
                             "xlsx-pre-release-namespace.xlsx"}) {
        const auto result = readXlsx(testing::testDataBytes(std::string("bad/") + file));
        ASSERT_TRUE(result.ok()) << file << ": " << result.failure().detail;
        EXPECT_EQ(result->grid, good->grid) << file;
        EXPECT_EQ(result->markerColumn, good->markerColumn) << file;
        EXPECT_EQ(result->date1904, good->date1904) << file;
    }
}

// Millions of rows past row 202 and then a broken tail: the reader stops at row
// 203 and never sees the tail.
TEST(XlsxBadInputTest, StopsReadingAtTheFirstRowPastTheKeptOnes) {
    const auto result = readXlsx(testing::testDataBytes("bad/xlsx-row-flood.xlsx"));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    EXPECT_EQ(result->markerColumn[2].text, "第一节");
    EXPECT_EQ(result->grid[2][0].text, "高等数学");
}

// Every prefix of a good workbook lacks the archive's end: it is named as truncated, never
// read past its end nor taken for a workbook.
TEST(XlsxBadInputTest, NamesEveryTruncationAsTruncated) {
    const auto good = testing::testDataBytes("samples/layout-typical-libreoffice.xlsx");
    ASSERT_FALSE(good.empty());
    for (const std::size_t length : testing::truncationLengths(good.size())) {
        const auto cut = testing::truncatedCopy(good, length);
        const auto result = readXlsx(cut);
        ASSERT_FALSE(result.ok()) << "length " << length;
        const auto expected = length == 0  ? core::Status::Empty
                              : length < 2 ? core::Status::NotAWorkbook
                                           : core::Status::Truncated;
        EXPECT_EQ(result.failure().status, expected) << "length " << length;
    }
}

// A zip archive without its end record is truncated only when its records run to the end
// of the file; at full length, with the end or the central directory overwritten, it is
// damaged. Every reason is worded by us, not by the zip library. Both samples: one with
// sizes in the local headers, one (LibreOffice) with sizes after the data.
struct ZipDamage {
    const char* what;
    void (*damage)(std::vector<std::uint8_t>& zip, std::size_t central, std::size_t end);
    Status status;
};

const ZipDamage kZipDamages[] = {
    {"central directory and end zeroed",
     [](auto& zip, std::size_t central, std::size_t) {
         std::fill(zip.begin() + static_cast<std::ptrdiff_t>(central), zip.end(), 0);
     },
     Status::Damaged},
    {"end record signature broken",
     [](auto& zip, std::size_t, std::size_t end) { zip[end + 3] ^= 0x10; }, Status::Damaged},
    {"70 KiB of zeros after the end",
     [](auto& zip, std::size_t, std::size_t) { zip.resize(zip.size() + 70 * 1024, 0); },
     Status::Damaged},
    {"central directory offset past the end",
     [](auto& zip, std::size_t, std::size_t end) { zip[end + 19] = 0x7F; }, Status::Damaged},
    {"central directory entry signature broken",
     [](auto& zip, std::size_t central, std::size_t) { zip[central + 2] = 9; }, Status::Damaged},
    {"cut after the entries",
     [](auto& zip, std::size_t central, std::size_t) { zip.resize(central); }, Status::Truncated},
    {"cut inside the central directory",
     [](auto& zip, std::size_t central, std::size_t) { zip.resize(central + 30); },
     Status::Truncated},
    {"cut inside the end record",
     [](auto& zip, std::size_t, std::size_t end) { zip.resize(end + 10); }, Status::Truncated},
};

std::size_t lastIndexOf(const std::vector<std::uint8_t>& bytes, std::string_view signature) {
    const auto found =
        std::find_end(bytes.begin(), bytes.end(), signature.begin(), signature.end());
    return static_cast<std::size_t>(found - bytes.begin());
}

TEST(XlsxBadInputTest, TruncatedOnlyWhenTheRecordsRunToTheEnd) {
    for (const char* sample :
         {"samples/layout-typical-xlsxwriter.xlsx", "samples/layout-typical-libreoffice.xlsx"}) {
        const auto good = testing::testDataBytes(sample);
        ASSERT_FALSE(good.empty());
        const std::size_t end = lastIndexOf(good, std::string_view("PK\5\6", 4));
        const auto firstCentral =
            std::search(good.begin(), good.end(), std::begin("PK\1\2"), std::end("PK\1\2") - 1);
        const auto central = static_cast<std::size_t>(firstCentral - good.begin());
        ASSERT_LT(central, end);
        for (const ZipDamage& damage : kZipDamages) {
            auto zip = good;
            damage.damage(zip, central, end);
            const auto result = readXlsx(zip);
            ASSERT_FALSE(result.ok()) << sample << ", " << damage.what;
            EXPECT_EQ(result.failure().status, damage.status)
                << sample << ", " << damage.what << ": " << result.failure().detail;
            EXPECT_TRUE(testing::isOneShortLine(result.failure())) << result.failure().detail;
            for (const char* phrase : {"zip header", "zip dirent", "zip file structure", "Error"}) {
                EXPECT_EQ(result.failure().detail.find(phrase), std::string::npos)
                    << sample << ", " << damage.what << ": " << result.failure().detail;
            }
        }
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
            EXPECT_TRUE(core::isLoadFailure(result.failure().status)) << "byte " << at;
            EXPECT_FALSE(result.failure().detail.empty()) << "byte " << at;
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
            _exit(result.ok() || !result.failure().detail.empty() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << bomb;
    }
#endif
}

} // namespace
} // namespace orvanto::spreadsheet
