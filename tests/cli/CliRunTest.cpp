// The CLI library run in-process: every command line, its exit code, and what it prints.
#include "InProcessCli.h"
#include "core/ProgramInfo.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using orvanto::testing::cli;
using orvanto::testing::CliRun;
using orvanto::testing::sample;

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
    // Failures print nothing on stdout; successes nothing on stderr.
    EXPECT_TRUE((GetParam().exitCode == 0 ? run.err : run.out).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Usage,
    ::testing::Values(
        UsageCase{{"--help"}, 0, "orvanto-cli grid"}, UsageCase{{"-h", "ignored"}, 0, "Exit codes"},
        UsageCase{{"--version"}, 0, "orvanto-cli " ORVANTO_VERSION_TEXT "\n"},
        UsageCase{{}, 2, "no command"}, UsageCase{{"show"}, 2, "unknown command 'show'"},
        UsageCase{{"grid"}, 2, "no WORKBOOK"},
        UsageCase{{"grid", "--week", "x", "a.xlsx"}, 2, "--week"},
        UsageCase{{"grid", "--week", "32768", "a.xlsx"}, 2, "--week"},
        // A week a student can ask for lies in the longest term.
        UsageCase{{"grid", "--week", "0", "a.xlsx"}, 2, "--week takes a whole number from 1 to 30"},
        UsageCase{{"grid", "--week", "-1", "a.xlsx"}, 2, "from 1 to 30, not '-1'"},
        UsageCase{{"grid", "--week", "31", "a.xlsx"}, 2, "from 1 to 30, not '31'"},
        UsageCase{{"grid", "--week", "30", "/no/such.xlsx"}, 1, "/no/such.xlsx"},
        // Each command's own usage, whatever else is on the line.
        UsageCase{{"grid", "-h"}, 0, "Usage:\n  orvanto-cli grid [--week N"},
        UsageCase{{"ics", "--week", "3", "--help"}, 2, "unknown option --week"},
        UsageCase{{"ics", "a.xlsx", "--help"}, 0, "ics     writes every class"},
        UsageCase{{"week", "--help"}, 0, "TERM    --term FILE"},
        UsageCase{{"grid", "--week"}, 2, "needs a value"},
        UsageCase{{"grid", "--date", "2010-02-30", "a.xlsx"}, 2, "--date"},
        UsageCase{{"grid", "--week", "1", "--date", "2010-03-01", "a.xlsx"}, 2, "together"},
        UsageCase{{"grid", "--bogus", "a.xlsx"}, 2, "unknown option"},
        UsageCase{{"grid", "a.xlsx", "b.xlsx"}, 2, "unexpected argument"},
        UsageCase{{"week"}, 0, "3\n"}, UsageCase{{"week", "--date", "2010-03-19"}, 0, "3\n"},
        UsageCase{{"week", "--date", "9999-12-31"}, 2, "too far"},
        // grid's options are not week's, but a value still belongs to its option.
        UsageCase{{"week", "--week"}, 2, "--week needs a value"},
        UsageCase{{"week", "--week", "3"}, 2, "unknown option --week"},
        UsageCase{{"week", "--json"}, 2, "unknown option --json"},
        UsageCase{{"week", "a.xlsx"}, 2, "unexpected argument 'a.xlsx'"},
        // The term options.
        UsageCase{{"week", "--term-start", "2026-09-07", "--date", "2026-09-16"}, 0, "2\n"},
        UsageCase{{"week", "--term-start", "2026-09-07", "--date", "2027-01-10"}, 0, "18\n"},
        UsageCase{{"week", "--term-start", "1899-12-25"}, 2, "--term-start takes a date from 1900"},
        UsageCase{{"week", "--term-start", "2026-9-7"}, 2, "--term-start takes a date"},
        UsageCase{{"week", "--weeks", "31"}, 2, "--weeks takes a whole number from 1 to 30"},
        UsageCase{{"week", "--weeks", "0"}, 2, "--weeks"},
        UsageCase{{"week", "--term", "/no/such/term.ini"}, 2, "--term /no/such/term.ini: no such"},
        UsageCase{{"grid", "--weeks", "x", "a.xlsx"}, 2, "--weeks"}));

TEST(Help, EachCommandPrintsItsOwnPartOfTheUsage) {
    struct Case {
        const char* command;
        bool takesTerm;
    };
    for (const Case c : {Case{"grid", true}, Case{"week", true}, Case{"ics", true},
                         Case{"agenda", true}, Case{"check", true}}) {
        const CliRun run = cli({c.command, "--help"});
        ASSERT_EQ(run.exitCode, 0) << c.command;
        EXPECT_EQ(count(run.out, "  orvanto-cli "), 1u) << run.out;
        EXPECT_EQ(count(run.out, "\n" + std::string(c.command) + " "), 1u) << run.out;
        EXPECT_EQ(count(run.out, "--term-start DATE"), c.takesTerm ? 1u : 0u) << run.out;
        EXPECT_NE(run.out.find("Exit codes:"), std::string::npos) << run.out;
        EXPECT_LT(run.out.size(), cli({"--help"}).out.size());
    }
}

TEST(Week, ADateOutsideTheTermGetsTheGridsNoteOnStandardError) {
    struct Case {
        const char* date;
        const char* out;
        const char* err;
    };
    for (const Case c :
         {Case{"2010-02-21", "-1\n", "第-1周（不在教学周内）\n"}, Case{"2010-03-01", "1\n", ""},
          Case{"2010-07-31", "22\n", ""}, Case{"2010-08-02", "23\n", "第23周（不在教学周内）\n"}}) {
        const CliRun run = cli({"week", "--date", c.date});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

TEST(Errors, UsageErrorsPointAtHelpAndOtherErrorsDoNot) {
    EXPECT_EQ(cli({}).err, "orvanto-cli: error: no command given\nTry 'orvanto-cli --help'.\n");
    EXPECT_EQ(cli({"week", "--date", "9999-12-31"}).err,
              "orvanto-cli: error: the date lies too far from the term to number its week\n");
}

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

TEST(Grid, JsonHoldsTheWeekMarkersAndAllCells) {
    const CliRun run =
        cli({"grid", "--week", "3", "--json", sample("layout-typical-openpyxl.xlsx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"week\": 3, \"markers\": [", 0), 0u) << run.out;
    EXPECT_EQ(count(run.out, "\"index\": "), 35u);
    EXPECT_NE(run.out.find("{\"index\": 34, "), std::string::npos);
    EXPECT_EQ(run.out.find("\"error\""), std::string::npos);
}

TEST(Grid, DateWeekAndTodayAgree) {
    const std::string book = sample("layout-typical-openpyxl.xlsx");
    const CliRun byDate = cli({"grid", "--date", "2010-03-19", "--json", book});
    const CliRun byWeek = cli({"grid", "--week", "3", "--json", book});
    const CliRun byToday = cli({"grid", "--json", book});
    EXPECT_EQ(byDate.exitCode, 0);
    EXPECT_EQ(byDate.out, byWeek.out);
    EXPECT_EQ(byToday.out, byWeek.out);
}

TEST(Grid, TableShowsHeadingsAndCellLines) {
    const CliRun run = cli({"grid", "--week", "3", sample("layout-typical-openpyxl.xlsx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("第3周\n", 0), 0u);
    for (const char* heading : {"时间", "星期一", "星期天", "第一大节", "第五大节"}) {
        EXPECT_NE(run.out.find(heading), std::string::npos) << heading;
    }
}

// Week 3 of the week patterns: on Tuesday morning 短课 is shown and 长课 meets under it.
TEST(Grid, ACellWhereTwoClassesMeetNamesTheOtherInJsonAndCountsItInTheTable) {
    const std::string book = sample("layout-week-patterns.xlsx");
    CliRun run = cli({"grid", "--week", "3", "--json", book});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("{\"index\": 1, \"caption\": \"短课\\r\\n丙老师\\r\\n教2-201\", "
                           "\"tooltip\": \"短课   丙老师  教2-201\\n长课   丁老师  教2-202\", "
                           "\"others\": [{\"course\": \"长课\", \"teacher\": \"丁老师\", "
                           "\"room\": \"教2-202\", \"row\": 8}]}"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(count(run.out, "\"others\""), 1u);
    run = cli({"grid", "--week", "3", book});
    EXPECT_NE(run.out.find("| 短课 +1 "), std::string::npos) << run.out;
    EXPECT_EQ(count(run.out, " +1 "), 1u);
    // Week 6: 长课 alone, nothing under it.
    run = cli({"grid", "--week", "6", "--json", book});
    EXPECT_EQ(run.out.find("\"others\""), std::string::npos);
}

TEST(Grid, UnreadableCellExitsThreeWithThePartialGrid) {
    // Thursday's first block in big period 3 holds #N/A and, with an empty week row, meets
    // in week 0 only: the week of 2010-02-24.
    const std::string book = sample("layout-formulas-libreoffice.xlsx");
    CliRun run = cli({"grid", "--date", "2010-02-24", "--json", book});
    ASSERT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.out.find("\"error\": {\"number\": 13, \"description\": \"类型不匹配\", "
                           "\"message\": \"发生错误：13 (类型不匹配) "
                           "，请尝试重新设置课表路径并/或再次启动程序。\"}"),
              std::string::npos)
        << run.out;
    EXPECT_LT(count(run.out, "\"index\": "), 35u);

    run = cli({"grid", "--date", "2010-02-24", book});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("发生错误：13"), std::string::npos);
}

TEST(Term, FileOptionsAndOverrides) {
    const std::string file = ::testing::TempDir() + "/cli-term.ini";
    const auto write = [&file](const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    };
    write("[term]\r\nstart=2026-09-07\r\nweeks=20\r\nedition=2026年秋季学期\r\n");
    EXPECT_EQ(cli({"week", "--term", file, "--date", "2026-09-16"}).out, "2\n");
    // --term-start overrides the file's start.
    EXPECT_EQ(
        cli({"week", "--term", file, "--term-start", "2026-09-14", "--date", "2026-09-16"}).out,
        "1\n");

    write("[term]\nstart=2026-09-07\nweeks=45\n");
    const CliRun bad = cli({"week", "--term", file});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("weeks=45 is not a whole number from 1 to 30"), std::string::npos)
        << bad.err;
}

TEST(Term, GridTakesTheTerm) {
    const std::string book = sample("layout-typical-openpyxl.xlsx");
    const CliRun autumn =
        cli({"grid", "--term-start", "2026-09-07", "--date", "2026-09-16", "--json", book});
    ASSERT_EQ(autumn.exitCode, 0) << autumn.err;
    EXPECT_EQ(autumn.out.rfind("{\"week\": 2, ", 0), 0u) << autumn.out;
    // Week 21 is outside a 20-week term, and the table says so.
    const CliRun table = cli({"grid", "--weeks", "20", "--week", "21", book});
    EXPECT_NE(table.out.find("（不在教学周内）"), std::string::npos);
    EXPECT_EQ(cli({"grid", "--week", "21", book}).out.find("（不在教学周内）"), std::string::npos);
}

} // namespace
