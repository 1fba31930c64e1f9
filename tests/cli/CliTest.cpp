// The real orvanto-cli program, run through the shell: that main() hands the arguments and
// streams to the library and returns its exit code. Every case runs in-process in CliRunTest.
#include "core/ProgramInfo.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
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
        ProgramCase{{"grid", "--week", "0", sample("layout-formulas-libreoffice.xlsx")},
                    3,
                    "第0周",
                    "发生错误：13"}));

} // namespace
