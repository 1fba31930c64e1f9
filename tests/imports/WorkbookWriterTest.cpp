// The workbook file itself: what a spreadsheet program sees on opening it (checked with
// openpyxl, an independent reader), its size limits, and no temporary file left behind.
#include "imports/output/WorkbookWriter.h"

#include "imports/output/WorkbookLayout.h"
#include "service/Timetable.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace orvanto::imports {
namespace {

namespace fs = std::filesystem;

ImportedClass mathsOn(int weekday, int firstPeriod) {
    ImportedClass c;
    c.course = "高等数学";
    c.teacher = "张明";
    c.room = "教3-201";
    c.weekday = weekday;
    c.periods = {firstPeriod, firstPeriod + 1};
    for (int week = 1; week <= 16; ++week) {
        c.weeks.set(static_cast<std::size_t>(week));
    }
    return c;
}

std::string hexOf(const std::string& text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

// Sheet names, the sheet the workbook opens on, whether 未识别 is selected, the timetable's
// row 2, and every row of 未识别 as hex-encoded values with their cell types.
constexpr const char* kOpenpyxlReport = R"(
import sys
import openpyxl
book = openpyxl.load_workbook(sys.argv[1])
def cell(c):
    return ("" if c.value is None else str(c.value)).encode().hex() + ":" + c.data_type
print("sheets " + " ".join(s.title.encode().hex() for s in book.worksheets))
print("active " + str(book.index(book.active)))
print("selected " + str(int(bool(book.worksheets[1].sheet_view.tabSelected))))
print("row2 " + " ".join(cell(c) for c in book.worksheets[0]["C2:I2"][0]))
for row in book.worksheets[1].iter_rows():
    print("row " + " ".join(cell(c) for c in row))
)";

struct Probe {
    bool ran = false;
    std::string output;
};

Probe openpyxlReport(const std::vector<std::uint8_t>& bytes) {
    const fs::path folder = fs::path(::testing::TempDir()) / "orvanto-writer-probe";
    fs::create_directories(folder);
    const fs::path workbook = folder / "written.xlsx";
    const fs::path script = folder / "report.py";
    std::ofstream(workbook, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::ofstream(script) << kOpenpyxlReport;
    // Debian's own python3: another one first on PATH may not see Debian's openpyxl.
    const std::string command =
        "/usr/bin/python3 '" + script.string() + "' '" + workbook.string() + "' 2>/dev/null";
    Probe probe;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return probe;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        probe.output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    probe.ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return probe;
}

TEST(UnreadSheet, ListsEveryTextExactlyAndIsNotTheSheetOpenedOn) {
    ImportResult result;
    result.classes = {mathsOn(0, 1)};
    result.unread = {{"Sheet1", "A1", "2025-2026学年第二学期课表"},
                     {"Sheet1", "J4", "123"},
                     {"表格2", "C12", "=A1"},
                     {"表格2", "D12", "  备注：\n第二行  "},
                     {"Sheet1", "B30", "选课人数(121)"}};
    const auto bytes = writeTimetableWorkbook(result);
    ASSERT_TRUE(bytes) << bytes.failure().detail;
    const Probe probe = openpyxlReport(bytes.value());
    if (!probe.ran) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    std::ostringstream expected;
    expected << "sheets " << hexOf("课表") << " " << hexOf("未识别") << "\n";
    expected << "active 0\nselected 0\n";
    expected << "row2";
    for (int column = 0; column < 7; ++column) {
        expected << " :n"; // row 2 stays empty: the viewer shows it in free slots
    }
    expected << "\nrow " << hexOf("工作表") << ":s " << hexOf("单元格") << ":s " << hexOf("内容")
             << ":s\n";
    for (const UnreadText& text : result.unread) {
        expected << "row " << hexOf(text.sheet) << ":s " << hexOf(text.cell) << ":s "
                 << hexOf(text.text) << ":s\n";
    }
    EXPECT_EQ(probe.output, expected.str());
}

// Points the temporary folder at a fresh directory for one test, and back again after.
class InFreshTemporaryFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* previous = std::getenv("TMPDIR");
        m_previous = previous == nullptr ? std::string() : previous;
        m_hadPrevious = previous != nullptr;
        m_folder = fs::path(::testing::TempDir()) / "orvanto-writer-tmp";
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        setenv("TMPDIR", m_folder.c_str(), 1);
    }
    void TearDown() override {
        if (m_hadPrevious) {
            setenv("TMPDIR", m_previous.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        fs::remove_all(m_folder);
    }
    bool folderIsEmpty() const { return fs::is_empty(m_folder); }

  private:
    fs::path m_folder;
    std::string m_previous;
    bool m_hadPrevious = false;
};

TEST_F(InFreshTemporaryFolder, NothingIsLeftAfterWriting) {
    ImportResult result;
    result.classes = {mathsOn(1, 3)};
    ASSERT_TRUE(writeTimetableWorkbook(result));
    EXPECT_TRUE(folderIsEmpty());
}

TEST_F(InFreshTemporaryFolder, NoTemporaryFolderIsAFailureNotAWorkbook) {
    const std::string missing =
        (fs::path(::testing::TempDir()) / "orvanto-no-such-folder").string();
    setenv("TMPDIR", missing.c_str(), 1);
    ImportResult result;
    result.classes = {mathsOn(1, 3)};
    const auto bytes = writeTimetableWorkbook(result);
    ASSERT_FALSE(bytes);
    EXPECT_EQ(bytes.failure().status, core::Status::Io);
    EXPECT_FALSE(fs::exists(missing));
}

// libxlsxwriter refuses a cell text past 32,767 characters only while the file is being
// written: the failure names the cell and the half-written file goes too.
TEST_F(InFreshTemporaryFolder, AnOverlongTextFailsNamingItsCellAndLeavesNothing) {
    const std::string overlong(40000, 'x');
    ImportResult unreadTooLong;
    unreadTooLong.classes = {mathsOn(0, 1)};
    unreadTooLong.unread = {{"Sheet1", "A1", "短"}, {"Sheet1", "A2", overlong}};
    ImportResult courseTooLong;
    courseTooLong.classes = {mathsOn(0, 1), mathsOn(2, 5)};
    courseTooLong.classes[1].course = overlong;
    const std::array<std::pair<const ImportResult*, const char*>, 2> cases = {
        {{&unreadTooLong, "未识别!C3"}, {&courseTooLong, "课表!E13"}}};
    for (const auto& [result, cell] : cases) {
        const auto bytes = writeTimetableWorkbook(*result);
        ASSERT_FALSE(bytes) << cell;
        EXPECT_EQ(bytes.failure().status, core::Status::TooLarge);
        EXPECT_NE(bytes.failure().detail.find(cell), std::string::npos) << bytes.failure().detail;
        EXPECT_TRUE(folderIsEmpty());
    }
}

TEST_F(InFreshTemporaryFolder, ATextOfTheLongestLengthIsKept) {
    ImportResult result;
    result.unread = {{"Sheet1", "A1", std::string(32767, 'y')}};
    EXPECT_TRUE(writeTimetableWorkbook(result));
    EXPECT_TRUE(folderIsEmpty());
}

struct EncodingCase {
    const char* name;
    std::string text;
    bool written;
};

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

// Bytes that are not UTF-8 would leave a workbook no reader opens: refused, naming the cell.
// Characters XML cannot hold as they are still come back exactly.
TEST_P(Encoding, IsWrittenExactlyOrRefusedNamingTheCell) {
    const EncodingCase& c = GetParam();
    ImportResult result;
    result.classes = {mathsOn(0, 1)};
    result.classes[0].room = c.text;
    const auto bytes = writeTimetableWorkbook(result);
    if (!c.written) {
        ASSERT_FALSE(bytes);
        EXPECT_NE(bytes.failure().detail.find("课表!C6"), std::string::npos)
            << bytes.failure().detail;
        return;
    }
    ASSERT_TRUE(bytes) << bytes.failure().detail;
    const auto loaded = service::loadTimetable(bytes.value());
    ASSERT_TRUE(loaded) << loaded.failure().detail;
    const auto grid = service::composeWeek(loaded.value(), 1);
    ASSERT_FALSE(grid.failure);
    EXPECT_EQ(grid.cells[0].lines[2], c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Encoding,
    ::testing::Values(EncodingCase{"replacementCharacter", "替\xEF\xBF\xBD", true},
                      EncodingCase{"nonCharacters", "a\xEF\xBF\xBE b\xEF\xBF\xBF", true},
                      EncodingCase{"astral", "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", true},
                      EncodingCase{"controlCharacters", "\x01\x1F\r\n\x7F", true},
                      EncodingCase{"strayContinuation", "a\x80z", false},
                      EncodingCase{"truncated", "教\xE5\xAE", false},
                      EncodingCase{"gbkBytes", "\xBD\xCC\xCA\xD2", false},
                      EncodingCase{"overlong", "\xC0\x80", false},
                      EncodingCase{"surrogate", "\xED\xA0\x80", false},
                      EncodingCase{"pastUnicode", "\xF4\x90\x80\x80", false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A big period takes as many five-row blocks as its busiest weekday needs, and one when free.
TEST(Layout, MarkersFollowTheBusiestWeekdayOfEachBigPeriod) {
    std::vector<ImportedClass> classes = {mathsOn(0, 1), mathsOn(0, 2), mathsOn(1, 1),
                                          mathsOn(3, 7), mathsOn(3, 8), mathsOn(3, 7)};
    classes[1].weeks.reset();
    classes[1].weeks.set(3).set(5).set(9); // two runs: two blocks in big periods 1 and 2
    const auto cells = layOutClasses(classes);
    ASSERT_TRUE(cells) << cells.failure().detail;
    std::vector<int> markerRows;
    for (const LaidOutCell& cell : cells.value()) {
        if (cell.column == 2) {
            markerRows.push_back(cell.row);
        }
    }
    // Monday: 3 blocks in big period 1, 2 in big period 2; none in 3; Thursday: 3 blocks in
    // big period 4 (periods 8-9 reach into the fifth too).
    EXPECT_EQ(markerRows, (std::vector<int>{3, 18, 28, 33, 48, 53}));
}

} // namespace
} // namespace orvanto::imports
