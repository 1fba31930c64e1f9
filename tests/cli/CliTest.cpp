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

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

struct UsageCase {
    std::vector<std::string> args;
    int exitCode;
    const char* expected; // in stdout for 0, in stderr otherwise
};

class Usage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(Usage, ExitCodeAndMessage) {
    const CliRun run = cli(GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    const std::string& text = GetParam().exitCode == 0 ? run.out : run.err;
    EXPECT_NE(text.find(GetParam().expected), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Usage,
    ::testing::Values(UsageCase{{"--help"}, 0, "orvanto-cli grid"},
                      UsageCase{{"--version"}, 0, "3.20.00"}, UsageCase{{}, 2, "no command"},
                      UsageCase{{"show"}, 2, "unknown command"},
                      UsageCase{{"grid"}, 2, "no WORKBOOK"},
                      UsageCase{{"grid", "--week", "x", "a.xlsx"}, 2, "--week"},
                      UsageCase{{"grid", "--week", "32768", "a.xlsx"}, 2, "--week"},
                      UsageCase{{"grid", "--week"}, 2, "needs a value"},
                      UsageCase{{"grid", "--date", "2010-02-30", "a.xlsx"}, 2, "--date"},
                      UsageCase{
                          {"grid", "--week", "1", "--date", "2010-03-01", "a.xlsx"}, 2, "together"},
                      UsageCase{{"grid", "--bogus", "a.xlsx"}, 2, "unknown option"},
                      UsageCase{{"grid", "a.xlsx", "b.xlsx"}, 2, "unexpected argument"},
                      UsageCase{{"week", "--date", "2010-03-19"}, 0, "3\n"},
                      UsageCase{{"week", "--date", "2010-02-21"}, 0, "-1\n"},
                      UsageCase{{"week", "--date", "2010-08-02"}, 0, "23\n"},
                      UsageCase{{"week", "--date", "9999-12-31"}, 2, "too far"}));

TEST(Grid, UnreadableWorkbooksExitOneWithTheReason) {
    const std::string missing = "/nonexistent/课表.xlsx";
    CliRun run = cli({"grid", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("orvanto-cli: error: " + missing + ": ", 0), 0u) << run.err;

    run = cli({"grid", std::string(ORVANTO_TEST_DATA) + "/../../README.md"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("not an Excel workbook"), std::string::npos) << run.err;

    run = cli({"grid", sample("layout-marker-below-200.xlsx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("not found"), std::string::npos) << run.err;
}

// However a workbook is damaged, the terminal gets one line naming the reason: no output of
// the libraries below, no copy of a long bad value.
TEST(Grid, DamagedWorkbooksGiveOneLine) {
    for (const char* file :
         {"xlsx-damaged-workbook-header.xlsx", "xlsx-damaged-package-rels-header.xlsx",
          "xlsx-long-bad-number.xlsx", "xlsx-truncated-2000.xlsx", "xls-truncated.xls",
          "xls-excel4-worksheet.xls"}) {
        const std::string path = std::string(ORVANTO_TEST_DATA) + "/bad/" + file;
        const CliRun run = cli({"grid", path});
        EXPECT_EQ(run.exitCode, 1) << file;
        EXPECT_EQ(run.err.rfind("orvanto-cli: error: " + path + ": ", 0), 0u) << run.err;
        EXPECT_EQ(count(run.err, "\n"), 1u) << run.err;
        EXPECT_LT(run.err.size(), path.size() + 200) << run.err;
        EXPECT_EQ(run.out, "") << file;
    }
}

TEST(Grid, JsonHoldsTheWeekMarkersAndAllCells) {
    const CliRun run =
        cli({"grid", "--week", "3", "--json", sample("layout-typical-openpyxl.xlsx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"week\": 3, \"markers\": [", 0), 0u) << run.out;
    EXPECT_EQ(count(run.out, "\"index\": "), 35u);
    EXPECT_NE(run.out.find("{\"index\": 34, "), std::string::npos);
    EXPECT_EQ(run.out.find("\"error\""), std::string::npos);
}

TEST(Grid, DateAndWeekOptionsAgree) {
    const std::string book = sample("layout-typical-openpyxl.xlsx");
    const CliRun byDate = cli({"grid", "--date", "2010-03-19", "--json", book});
    const CliRun byWeek = cli({"grid", "--week", "3", "--json", book});
    EXPECT_EQ(byDate.exitCode, 0);
    EXPECT_EQ(byDate.out, byWeek.out);
}

TEST(Grid, TableShowsHeadingsAndCellLines) {
    const CliRun run = cli({"grid", "--week", "3", sample("layout-typical-openpyxl.xlsx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("第3周\n", 0), 0u);
    for (const char* heading : {"时间", "星期一", "星期天", "第一大节", "第五大节"}) {
        EXPECT_NE(run.out.find(heading), std::string::npos) << heading;
    }
}

TEST(Grid, UnreadableCellExitsThreeWithThePartialGrid) {
    // Thursday's first block in big period 3 holds #N/A and, with an empty week row, meets
    // in week 0 only.
    const std::string book = sample("layout-formulas-libreoffice.xlsx");
    CliRun run = cli({"grid", "--week", "0", "--json", book});
    ASSERT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.out.find("\"error\": {\"number\": 13, \"description\": \"类型不匹配\", "
                           "\"message\": \"发生错误：13 (类型不匹配) "
                           "，请尝试重新设置课表路径并/或再次启动程序。\"}"),
              std::string::npos)
        << run.out;
    EXPECT_LT(count(run.out, "\"index\": "), 35u);

    run = cli({"grid", "--week", "0", book});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("发生错误：13"), std::string::npos);
}

} // namespace
