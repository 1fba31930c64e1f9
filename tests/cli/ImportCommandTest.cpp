// orvanto-cli import: where it writes, what it says, and that bad input is refused in one line
// with nothing written.
#include "InProcessCli.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orvanto::testing::cli;
using orvanto::testing::CliRun;

// A grid export: Monday 第1,2节 holds one class; one cell holds a note that is no class.
const std::string kExport =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td></tr>"
    "<tr><td>第1,2节</td><td>高等数学<br>张三<br>1-16周<br>A101</td><td>实践周见通知</td>"
    "<td></td></tr>"
    "</table></body></html>";

class ImportCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::path(::testing::TempDir()) /
                   ("import-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::size_t files() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), {}));
    }

    fs::path m_folder;
};

TEST_F(ImportCommandTest, writesBesideTheExportAndSaysWhatItDidNotUnderstand) {
    const std::string exportFile = write("课表.xls", kExport);
    const CliRun run = cli({"import", exportFile});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path out = m_folder / "课表.orvanto.xlsx";
    EXPECT_TRUE(fs::is_regular_file(out));
    EXPECT_EQ(run.out, "1 classes written to " + out.string() + "\n");
    EXPECT_EQ(run.err, "orvanto-cli: not understood: 表格1!C2 \"实践周见通知\"\n"
                       "orvanto-cli: 1 classes from 2 cells, 1 texts not understood\n");
    // The workbook written is one the grid reads: Monday of week 3.
    const CliRun grid = cli({"grid", "--week", "3", "--json", out.string()});
    EXPECT_NE(grid.out.find("\"caption\": \"高等数学\\r\\n张三\\r\\nA101\""), std::string::npos)
        << grid.out;
}

TEST_F(ImportCommandTest, replacesAnExistingWorkbookButNeverTheExport) {
    const std::string exportFile = write("课表.html", kExport);
    const std::string out = write("old.xlsx", "old contents");
    EXPECT_EQ(cli({"import", "-o", out, exportFile}).exitCode, 0);
    std::ifstream written(out, std::ios::binary);
    std::string head(2, '\0');
    written.read(head.data(), 2);
    EXPECT_EQ(head, "PK");

    const CliRun self = cli({"import", "-o", exportFile, exportFile});
    EXPECT_EQ(self.exitCode, 2);
    std::ifstream unchanged(exportFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(unchanged), {}), kExport);
    EXPECT_EQ(cli({"import", "-o", m_folder.string(), exportFile}).exitCode, 4);
}

TEST_F(ImportCommandTest, jsonWritesNoFile) {
    const std::string exportFile = write("课表.html", kExport);
    const CliRun run = cli({"import", "--json", exportFile});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"course\": \"高等数学\", \"teacher\": \"张三\", \"room\": \"A101\", "
                           "\"weekday\": 1, \"periods\": [1, 2], \"bigPeriods\": [1, 1], "
                           "\"weeks\": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16]"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(files(), 1u);
}

struct BadExport {
    const char* name;
    std::string bytes;
};

class ImportBadInput : public ImportCommandTest, public ::testing::WithParamInterface<BadExport> {};

TEST_P(ImportBadInput, oneLineReasonExitOneNothingWritten) {
    const std::string exportFile = write(GetParam().name, GetParam().bytes);
    const CliRun run = cli({"import", exportFile});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(run.err.starts_with("orvanto-cli: error: " + exportFile + ": ")) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_LT(run.err.size(), 400u);
    EXPECT_EQ(files(), 1u); // only the export
}

INSTANTIATE_TEST_SUITE_P(
    Exports, ImportBadInput,
    ::testing::Values(
        BadExport{"empty.xls", ""},
        BadExport{"junk.xls", std::string("\x01\x02\x03\xFF\xFE binary junk \x00\x00", 20)},
        BadExport{"no-table.html", "<html><body><p>教务系统维护中</p></body></html>"},
        BadExport{"list.html", "<html><body><table><tr><td>学号</td><td>姓名</td></tr>"
                               "<tr><td>2026001</td><td>张三</td></tr></table></body></html>"},
        BadExport{"huge.html", "<html><body><table><tr><td>" + std::string(50u << 20, 'x') +
                                   "</td></tr></table></body></html>"},
        BadExport{"long-cell.html", "<html><body><table><tr><td>" + std::string(100000, 'x') +
                                        "</td></tr></table></body></html>"}),
    [](const auto& test) {
        std::string name = test.param.name;
        name = name.substr(0, name.find('.'));
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// The workbook is made in a temporary file: when none can be made, the workbook cannot be
// written, which is exit 4 as for any file that cannot be written, not a bad export's 1.
TEST_F(ImportCommandTest, noTemporaryFolderIsExitFourNothingWritten) {
    const std::string exportFile = write("课表.html", kExport);
    const char* saved = std::getenv("TMPDIR");
    const std::string before = saved ? saved : "";
    ::setenv("TMPDIR", (m_folder / "no-such-folder").c_str(), 1);
    const CliRun run = cli({"import", exportFile});
    if (saved) {
        ::setenv("TMPDIR", before.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_TRUE(run.err.starts_with("orvanto-cli: error: " + exportFile + ": ")) << run.err;
    EXPECT_EQ(files(), 1u); // only the export
}

TEST_F(ImportCommandTest, aWorkbookThatIsNoTimetableIsRefused) {
    const CliRun run = cli(
        {"import", "-o", (m_folder / "out.xlsx").string(), orvanto::testing::sample("cells.xlsx")});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(files(), 0u);
}

TEST_F(ImportCommandTest, aCellOfAHundredThousandCharactersIsOnlyNotUnderstood) {
    std::string exportText = kExport;
    exportText.replace(exportText.find("实践周见通知"), std::string("实践周见通知").size(),
                       std::string(100000, 'y'));
    const CliRun run = cli({"import", "--json", write("long.html", exportText)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("表格1!C2 \"yyyy"), std::string::npos);
    EXPECT_LT(run.err.size(), 300u);
}

// The default OUT may be the workbook the student has edited since: it is kept unless -o or
// --force says otherwise.
TEST_F(ImportCommandTest, anExistingDefaultOutIsKeptWithoutForce) {
    const std::string exportFile = write("课表.html", kExport);
    const std::string out = write("课表.orvanto.xlsx", "edited by hand");
    const CliRun kept = cli({"import", exportFile});
    EXPECT_EQ(kept.exitCode, 4);
    EXPECT_EQ(kept.err,
              "orvanto-cli: error: " + out + " exists: name another with -o, or add --force\n");
    EXPECT_TRUE(kept.out.empty());
    std::ifstream unchanged(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(unchanged), {}), "edited by hand");

    ASSERT_EQ(cli({"import", "--force", exportFile}).exitCode, 0);
    std::ifstream replaced(out, std::ios::binary);
    std::string head(2, '\0');
    replaced.read(head.data(), 2);
    EXPECT_EQ(head, "PK");
    EXPECT_EQ(files(), 2u); // the export and the workbook, no temporary left
}

// Two names and no other clue: which is the course only the student can say.
const std::string kAmbiguousExport =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td><td>星期四</td><td>星期五</td>"
    "<td>星期六</td><td>星期日</td></tr>"
    "<tr><td>第1,2节</td><td>张三;李四;1-16周;A101</td><td>王五;赵六;1-8周;B202</td><td></td>"
    "<td></td><td></td><td></td><td></td></tr>"
    "</table></body></html>";

// The text of the first dialect object after key in --json's output.
std::string dialectAfter(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("{\"knownForms\"", json.find(key));
    return at == std::string::npos ? std::string() : json.substr(at, json.find('}', at) - at + 1);
}

struct ForcedReading {
    const char* name;
    std::vector<std::string> options;
    const char* course; // of the Monday class; nullptr when any field order may be taken
    const char* separator;
};

class ImportReadingOptions : public ImportCommandTest,
                             public ::testing::WithParamInterface<ForcedReading> {};

TEST_P(ImportReadingOptions, giveTheReadingAskedFor) {
    const std::string exportFile = write("课表.html", kAmbiguousExport);
    std::vector<std::string> args{"import", "--json"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    args.push_back(exportFile);
    const CliRun run = cli(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    if (GetParam().course != nullptr) {
        EXPECT_NE(run.out.find(std::string("{\"course\": \"") + GetParam().course + "\""),
                  std::string::npos)
            << run.out;
    }
    EXPECT_NE(dialectAfter(run.out, "\"reading\"")
                  .find(std::string("\"separator\": \"") + GetParam().separator + "\""),
              std::string::npos)
        << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Forced, ImportReadingOptions,
    ::testing::Values(
        ForcedReading{"courseFirst", {"--fields", "course,teacher,weeks,room"}, "张三", ";"},
        ForcedReading{"bothGiven",
                      {"--fields", "teacher,course,weeks,room", "--separator", "；"},
                      "李四",
                      ";"},
        // The best reading with that separator, whatever its order.
        ForcedReading{"separatorAlone", {"--separator", ";"}, nullptr, ";"},
        ForcedReading{"fieldsAlone", {"--fields", "teacher,course,weeks,room"}, "李四", ";"}),
    [](const auto& test) { return std::string(test.param.name); });

// --reading N is the N-th runner-up --json printed, counted from 1.
TEST_F(ImportCommandTest, readingTakesTheRunnerUpByItsNumber) {
    const std::string exportFile = write("课表.html", kAmbiguousExport);
    const CliRun plain = cli({"import", "--json", exportFile});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const std::string first = dialectAfter(plain.out, "\"runnersUp\"");
    ASSERT_FALSE(first.empty()) << plain.out;
    const CliRun chosen = cli({"import", "--json", "--reading", "1", exportFile});
    ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
    EXPECT_EQ(dialectAfter(chosen.out, "\"reading\""), first);
    // The reading the sniffer chose is now a runner-up.
    EXPECT_NE(chosen.out.find(dialectAfter(plain.out, "\"reading\"")), std::string::npos);
}

struct BadReadingOption {
    const char* name;
    std::vector<std::string> options;
};

class ImportBadReadingOption : public ImportCommandTest,
                               public ::testing::WithParamInterface<BadReadingOption> {};

TEST_P(ImportBadReadingOption, isAUsageErrorWithNothingWritten) {
    const std::string exportFile = write("课表.html", kAmbiguousExport);
    std::vector<std::string> args{"import"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    args.push_back(exportFile);
    const CliRun run = cli(args);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_TRUE(run.err.starts_with("orvanto-cli: error: ")) << run.err;
    EXPECT_EQ(files(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, ImportBadReadingOption,
    ::testing::Values(BadReadingOption{"zero", {"--reading", "0"}},
                      BadReadingOption{"notANumber", {"--reading", "two"}},
                      BadReadingOption{"pastTheLast", {"--reading", "9999"}},
                      BadReadingOption{"unknownField", {"--fields", "course,lecturer,weeks"}},
                      BadReadingOption{"noWeeks", {"--fields", "course,teacher,room"}},
                      BadReadingOption{"repeated", {"--fields", "course,weeks,course"}},
                      BadReadingOption{"separator", {"--separator", "#"}},
                      BadReadingOption{"both", {"--reading", "1", "--fields", "course,weeks"}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
