// The real orvanto-cli program, run through the shell: that main() hands the arguments and
// streams to the library and returns its exit code. Every case runs in-process in CliRunTest.
#include "core/ProgramInfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs orvanto-cli with the arguments (each single-quoted for the shell).
CliRun cli(const std::vector<std::string>& args) {
    const std::string errFile = ::testing::TempDir() + "/orvanto-cli-stderr.txt";
    std::string command = ORVANTO_CLI;
    for (const auto& arg : args) {
        command += " '" + arg + "'";
    }
    command += " 2>" + errFile;
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = slurp(errFile);
    return run;
}

std::string sample(const std::string& name) {
    return std::string(ORVANTO_TEST_DATA) + "/samples/" + name;
}

struct ProgramCase {
    std::vector<std::string> args;
    int exitCode;
    const char* expectedOut;
    const char* expectedErr;
};

class Program : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Program, ExitCodeAndStreams) {
    const CliRun run = cli(GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_NE(run.out.find(GetParam().expectedOut), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(GetParam().expectedErr), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Program,
    ::testing::Values(
        ProgramCase{{"--version"}, 0, "orvanto-cli " ORVANTO_VERSION_TEXT "\n", ""},
        ProgramCase{{}, 2, "", "orvanto-cli: error: no command given\n"},
        ProgramCase{{"grid", "/nonexistent/课表.xlsx"},
                    1,
                    "",
                    "orvanto-cli: error: /nonexistent/课表.xlsx: "},
        ProgramCase{
            {"grid", "--week", "3", sample("layout-typical-openpyxl.xlsx")}, 0, "第3周\n", ""},
        ProgramCase{{"grid", "--date", "2010-02-24", sample("layout-formulas-libreoffice.xlsx")},
                    3,
                    "第0周",
                    "发生错误：13"}));

// However a workbook is damaged, the terminal gets one line naming the reason: nothing that
// the libraries below print or log, no copy of a long bad value. Only the real program
// shows this, since the libraries write to the process's own stderr.
TEST(Program, DamagedWorkbooksGiveOneLine) {
    for (const char* file :
         {"xlsx-damaged-workbook-header.xlsx", "xlsx-damaged-package-rels-header.xlsx",
          "xlsx-long-bad-number.xlsx", "xlsx-truncated-2000.xlsx", "xls-truncated.xls",
          "xls-excel4-worksheet.xls"}) {
        const std::string path = std::string(ORVANTO_TEST_DATA) + "/bad/" + file;
        const CliRun run = cli({"grid", "--week", "3", path});
        EXPECT_EQ(run.err.rfind("orvanto-cli: error: " + path + ": ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_LT(run.err.size(), path.size() + 200) << run.err;
        EXPECT_EQ(run.exitCode, 1) << file;
    }
}

// A zip member dated on no day at all makes GLib complain from inside libgsf; the workbook
// is fine and loads without a word on stderr.
TEST(Program, ImpossibleMemberDateLoadsQuietly) {
    const CliRun run = cli({"grid", "--week", "3",
                            std::string(ORVANTO_TEST_DATA) + "/bad/xlsx-invalid-member-date.xlsx"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
}

// Runs orvanto-cli with standard output sent to the file; returns the exit code and stderr.
CliRun cliInto(const std::vector<std::string>& args, const std::string& output) {
    const std::string errFile = ::testing::TempDir() + "/orvanto-cli-stderr.txt";
    std::string command = ORVANTO_CLI;
    for (const auto& arg : args) {
        command += " '" + arg + "'";
    }
    command += " >'" + output + "' 2>" + errFile;
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = slurp(errFile);
    return run;
}

const std::string kExample = std::string(ORVANTO_TEST_DATA) + "/../../examples/timetable.xlsx";

// What a full disk does to each command that prints: exit 4 and the reason, never success.
const std::vector<std::vector<std::string>> kPrinting = {
    {"ics", kExample},
    {"grid", "--json", "--week", "3", kExample},
    {"agenda", "--date", "2010-03-01", kExample},
    {"grid", "--week", "3", kExample},
    {"check", kExample},
    {"week", "--date", "2010-03-19"},
    {"grid", "--help"},
};

TEST(StandardOutput, AFullDeviceIsExitFourWithTheReason) {
    for (const auto& args : kPrinting) {
        const CliRun run = cliInto(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 4) << args[0];
        EXPECT_EQ(run.err,
                  "orvanto-cli: error: cannot write standard output: No space left on device\n")
            << args[0];
    }
}

// A real file system of 8 KB: the calendar is cut after the first page that fitted, and the
// exit status says so.
class SmallDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = ::testing::TempDir() + "orvanto-small-disk-" + std::to_string(::getpid());
        std::filesystem::create_directories(m_dir);
        const std::string mount = "mount -t tmpfs -o size=8k tmpfs '" + m_dir + "' 2>/dev/null";
        if (std::system(mount.c_str()) != 0) {
            std::filesystem::remove(m_dir);
            GTEST_SKIP() << "no tmpfs can be mounted here; CheckedOutputTest fills a stream "
                            "instead";
        }
        m_mounted = true;
    }
    void TearDown() override {
        if (m_mounted) {
            const std::string unmount = "umount '" + m_dir + "'";
            EXPECT_EQ(std::system(unmount.c_str()), 0);
            std::filesystem::remove(m_dir);
        }
    }
    // Takes all but the given number of bytes of the disk (tmpfs counts whole pages).
    void leave(std::size_t free) const {
        const std::string filler(8192 - free, 'x');
        std::ofstream(m_dir + "/filler", std::ios::binary) << filler;
    }
    std::string m_dir;
    bool m_mounted = false;
};

TEST_F(SmallDisk, ACalendarCutShortIsExitFour) {
    leave(4096);
    const std::string output = m_dir + "/课表.ics";
    const CliRun run = cliInto({"ics", kExample}, output);
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err,
              "orvanto-cli: error: cannot write standard output: No space left on device\n");
    const std::string written = slurp(output);
    EXPECT_EQ(written.rfind("BEGIN:VCALENDAR", 0), 0u);
    EXPECT_FALSE(written.ends_with("END:VCALENDAR\r\n"));
}

TEST_F(SmallDisk, EveryPrintingCommandOnAFullDiskIsExitFour) {
    leave(0);
    for (const auto& args : kPrinting) {
        const CliRun run = cliInto(args, m_dir + "/out.txt");
        EXPECT_EQ(run.exitCode, 4) << args[0];
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    }
}

} // namespace
