// orvanto-cli ics, agenda and next, and the term options every command takes, run in-process.
#include "InProcessCli.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace std::chrono;
using orvanto::testing::cli;
using orvanto::testing::CliRun;
using orvanto::testing::kToday;
using orvanto::testing::sample;
namespace fs = std::filesystem;

const std::string kTypical = sample("layout-typical-xlsxwriter.xlsx");
const std::string kBroken = sample("layout-error-week3.xlsx");

class Folder {
  public:
    Folder()
        : m_path(fs::temp_directory_path() /
                 (std::string("orvanto-cli-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::create_directories(m_path);
    }
    ~Folder() { fs::remove_all(m_path); }
    std::string file(const std::string& name, const std::string& content = {}) const {
        const fs::path path = m_path / name;
        if (!content.empty()) {
            std::ofstream(path, std::ios::binary) << content;
        }
        return path.string();
    }

  private:
    fs::path m_path;
};

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct UsageCase {
    std::vector<std::string> args;
    const char* expected; // in stderr, exit code 2
};

class TermAndOutputUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(TermAndOutputUsage, IsAUsageErrorNamingTheOption) {
    const CliRun run = cli(GetParam().args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(GetParam().expected), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, TermAndOutputUsage,
    ::testing::Values(UsageCase{{"ics"}, "no WORKBOOK"}, UsageCase{{"ics", "-o"}, "needs a value"},
                      UsageCase{{"ics", "-o", "", "a.xlsx"}, "-o takes a file name"},
                      UsageCase{{"ics", "--json", "a.xlsx"}, "unknown option --json"},
                      UsageCase{{"agenda", "--week", "3", "a.xlsx"}, "unknown option --week"},
                      UsageCase{{"grid", "-o", "x.ics", "a.xlsx"}, "unknown option -o"},
                      // The term options' own cases are in CliRunTest.
                      UsageCase{{"ics", "--term-start", "0999-01-04", "a.xlsx"},
                                "--term-start takes a date from 1900"},
                      UsageCase{{"agenda", "--weeks", "31", "a.xlsx"}, "--weeks"}));

TEST(Ics, WritesTheCalendarToStandardOutputOrReplacesTheFile) {
    const CliRun toStdout = cli({"ics", "--term-start", "2026-09-07", "--weeks", "18", kTypical});
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_TRUE(toStdout.err.empty());
    EXPECT_EQ(toStdout.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(toStdout.out.find("DTSTART;TZID=Asia/Shanghai:20260907T080000"), std::string::npos);
    EXPECT_NE(toStdout.out.find("RRULE:FREQ=WEEKLY;COUNT=18\r\nSUMMARY:英语角"), std::string::npos);

    Folder folder;
    const std::string target = folder.file("课表.ics", "an earlier export");
    const CliRun toFile = cli({"ics", "-o", target, kTypical});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    // 16 + 8 + 8 + 3 + 16 + 16 + 8 + 4 + 16 + 8 + 22 meetings of the 11 blocks.
    EXPECT_EQ(toFile.out, "125 classes in 11 events written to " + target + "\n");
    const std::string written = read(target);
    EXPECT_EQ(written.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_TRUE(written.ends_with("END:VCALENDAR\r\n"));
    EXPECT_EQ(cli({"ics", "-o", "-", kTypical}).out.substr(0, 15), "BEGIN:VCALENDAR");
}

TEST(Ics, AFileThatCannotBeWrittenExitsFourAndLeavesNothing) {
    Folder folder;
    const std::string target = folder.file("missing-folder/课表.ics");
    const CliRun run = cli({"ics", "-o", target, kTypical});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("orvanto-cli: error: "), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(target).parent_path()));
}

TEST(Ics, OutputThroughALinkFillsItsTargetAndKeepsTheLink) {
    Folder folder;
    const std::string target = folder.file("calendars-课表.ics", "an earlier export");
    const std::string link = folder.file("课表.ics");
    fs::create_symlink(fs::path(target).filename(), link);
    const CliRun run = cli({"ics", "-o", link, kTypical});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read(target).rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_EQ(read(link), read(target));
}

TEST(Ics, OutputIntoAFifoIsReadByItsReaderAndTheFifoStays) {
    Folder folder;
    const std::string fifo = folder.file("calendar-pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return read(fifo); });
    const CliRun run = cli({"ics", "-o", fifo, kTypical});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string received = reader.get();
    EXPECT_EQ(received.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_TRUE(received.ends_with("END:VCALENDAR\r\n"));
    EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
}

TEST(Ics, OutputToAFolderIsExitFourWithItsReason) {
    Folder folder;
    const std::string target = folder.file("课表.ics");
    fs::create_directory(target);
    const CliRun run = cli({"ics", "-o", target, kTypical});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, "orvanto-cli: error: cannot replace " + target + ": Is a directory\n");
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(fs::is_directory(target));
}

TEST(Ics, OutputOverTheWorkbookItselfIsRefused) {
    Folder folder;
    const std::string copy = folder.file("课表.xlsx", read(kTypical));
    const std::string link = folder.file("link.xlsx");
    fs::create_symlink(copy, link);
    for (const std::string& output : {copy, link}) {
        const CliRun run = cli({"ics", "-o", output, copy});
        EXPECT_EQ(run.exitCode, 4);
        EXPECT_EQ(run.err, "orvanto-cli: error: " + output +
                               " is the workbook being read; nothing was written\n");
    }
    EXPECT_EQ(read(copy), read(kTypical));
}

TEST(Check, ExitCodesSayWhetherAnythingWasFound) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* out; // the start of standard output
        const char* err; // the start of standard error
    };
    const std::vector<Case> cases = {
        {{"check", kTypical}, 0, "没有发现可能让课程不显示的写法。\n", ""},
        {{"check", sample("layout-typical-libreoffice-lo.xls")}, 0, "没有发现", ""},
        {{"check", sample("layout-second-sheet-active.xlsx")},
         5,
         "工作表“备注”：保存时显示的是这张表",
         ""},
        {{"check", "--weeks", "8", sample("layout-marker-b1.xlsx")}, 5, "C2：{第1-16周}：", ""},
        {{"check", "/no/such/课表.xlsx"}, 1, "", "orvanto-cli: error: /no/such/课表.xlsx: "},
        {{"check"}, 2, "", "orvanto-cli: error: no WORKBOOK given"},
        {{"check", "--week", "3", kTypical}, 2, "", "orvanto-cli: error: unknown option --week"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.back();
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << run.out;
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
    }
    // One line per finding, each starting with its place.
    const CliRun run = cli({"check", sample("layout-second-sheet-active.xlsx")});
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4) << run.out;
}

TEST(Ics, AnUnreadableCellFailsWithTheGridsMessageAndWritesNothing) {
    Folder folder;
    const std::string target = folder.file("课表.ics", "an earlier export");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ics", kBroken}, {"ics", "-o", target, kBroken}}) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("week 3 cannot be composed; nothing was written"), std::string::npos)
            << run.err;
        EXPECT_NE(
            run.err.find("发生错误：13 (类型不匹配) ，请尝试重新设置课表路径并/或再次启动程序。"),
            std::string::npos);
    }
    EXPECT_EQ(read(target), "an earlier export");
    // Before week 3 the same workbook is fine: the failure is the week's, not the file's.
    EXPECT_EQ(cli({"ics", "--weeks", "2", kBroken}).exitCode, 0);
    EXPECT_EQ(cli({"ics", sample("layout-marker-below-200.xlsx")}).exitCode, 1);
}

TEST(Agenda, PrintsTheDaysClassesOrSaysThereAreNone) {
    struct Case {
        std::vector<std::string> args;
        year_month_day today;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"agenda", "--date", "2010-03-02", kTypical},
         kToday,
         "08:00-09:40  大学英语(4)  李华 讲师  外语楼305\n"
         "16:00-17:40  概率论与数理统计  郑洁  3205\n"},
        // Today (a Saturday): the evening class only.
        {{"agenda", kTypical},
         year{2010} / March / 20,
         "19:00-20:40  英语角  外教 Tom  图书馆一楼\n"},
        {{"agenda", "--date", "2010-03-21", kTypical}, kToday, "2010-03-21 没有课。\n"},
        {{"agenda", kTypical}, year{2010} / March / 21, "今天没有课。\n"},
        {{"agenda", kTypical}, year{2010} / August / 2, "提示：现在不是上课时间！\n"},
        // A date the student gave is named: it is not "now".
        {{"agenda", "--weeks", "2", "--date", "2010-03-15", kTypical},
         kToday,
         "2010-03-15 不在教学周内\n"},
        {{"agenda", "--date", "2010-08-02", kTypical},
         year{2010} / August / 2,
         "2010-08-02 不在教学周内\n"},
        {{"agenda", "--json", "--date", "2010-03-02", kTypical},
         kToday,
         "{\"date\": \"2010-03-02\", \"week\": 1, \"inTerm\": true, \"classes\": ["
         "{\"period\": 1, \"start\": \"08:00\", \"end\": \"09:40\", \"course\": \"大学英语(4)\", "
         "\"teacher\": \"李华 讲师\", \"room\": \"外语楼305\"}, "
         "{\"period\": 4, \"start\": \"16:00\", \"end\": \"17:40\", \"course\": "
         "\"概率论与数理统计\", \"teacher\": \"郑洁\", \"room\": \"3205\"}]}\n"},
        {{"agenda", "--json", "--date", "2010-02-28", kTypical},
         kToday,
         "{\"date\": \"2010-02-28\", \"week\": 0, \"inTerm\": false, \"message\": "
         "\"2010-02-28 不在教学周内\", \"classes\": []}\n"},
        {{"agenda", "--json", kTypical},
         year{2010} / February / 28,
         "{\"date\": \"2010-02-28\", \"week\": 0, \"inTerm\": false, \"message\": "
         "\"提示：现在不是上课时间！\", \"classes\": []}\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.args, c.today);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.empty());
    }
}

TEST(Agenda, FailuresExitAsTheGridDoes) {
    CliRun run = cli({"agenda", "--date", "2010-03-15", kBroken});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("发生错误：13"), std::string::npos);
    EXPECT_EQ(cli({"agenda", "--date", "2010-03-08", kBroken}).exitCode, 0);
    EXPECT_EQ(cli({"agenda", sample("layout-marker-below-200.xlsx")}).exitCode, 1);
    run = cli({"agenda", "--date", "9999-12-31", kTypical});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("too far"), std::string::npos);
}

TEST(Next, PrintsTheNextClassFromNowOrFromTheDateAndTimeGiven) {
    const std::string tuesday =
        "2010-03-02 星期二 第1周 08:00-09:40  大学英语(4)  李华 讲师  外语楼305";
    const std::string thursday = "2010-03-04 星期四 第1周 10:00-11:40  思想政治理论  周敏  大礼堂";
    struct Case {
        std::vector<std::string> args;
        minutes timeOfDay;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"next", "--date", "2010-03-02", "--time", "07:30", kTypical},
         {},
         tuesday + "  还有30分钟\n"},
        {{"next", "--date", "2010-03-02", "--time", "08:00", kTypical},
         {},
         tuesday + "  现在开始\n"},
        // Under way until it ends.
        {{"next", "--date", "2010-03-02", "--time", "9:39", kTypical},
         {},
         tuesday + "  已开始99分钟\n"},
        // Nothing left on Tuesday, nothing on Wednesday.
        {{"next", "--date", "2010-03-02", "--time", "17:40", kTypical},
         {},
         "今天没有课了\n" + thursday + "\n"},
        // The date alone means from its start; today and now come from the clock.
        {{"next", "--date", "2010-03-02", kTypical}, hours{12}, tuesday + "  还有480分钟\n"},
        {{"next", kTypical},
         hours{7} + minutes{59},
         "2010-03-19 星期五 第3周 08:00-09:40  体育(2)  陈刚  东操场  还有1分钟\n"},
        {{"next", kTypical},
         hours{9} + minutes{40},
         "今天没有课了\n2010-03-20 星期六 第3周 19:00-20:40  英语角  外教 Tom  图书馆一楼\n"},
        {{"next", "--time", "19:00", kTypical},
         {},
         "今天没有课了\n2010-03-20 星期六 第3周 19:00-20:40  英语角  外教 Tom  图书馆一楼\n"},
        {{"next", "--date", "2010-01-01", kTypical},
         {},
         "今天没有课了\n2010-03-01 星期一 第1周 08:00-09:40  高等数学A(2)  张明 教授  教3-201\n"},
        {{"next", "--date", "2010-08-01", kTypical}, {}, "本学期没有课了\n"},
        {{"next", "--date", "2030-01-01", kTypical}, {}, "本学期没有课了\n"},
        {{"next", "--json", "--date", "2010-08-01", kTypical}, {}, "null\n"},
        {{"next", "--json", "--date", "2010-03-02", "--time", "10:00", kTypical},
         {},
         "{\"course\": \"概率论与数理统计\", \"teacher\": \"郑洁\", \"room\": \"3205\", "
         "\"date\": \"2010-03-02\", \"weekday\": \"星期二\", \"week\": 1, \"start\": \"16:00\", "
         "\"end\": \"17:40\", \"minutes\": 360}\n"},
        // The term's own times: a later first period moves the start and the minutes.
        {{"next", "--json", "--term-start", "2010-03-08", "--date", "2010-03-08", "--time", "07:00",
          kTypical},
         {},
         "{\"course\": \"高等数学A(2)\", \"teacher\": \"张明 教授\", \"room\": \"教3-201\", "
         "\"date\": \"2010-03-08\", \"weekday\": \"星期一\", \"week\": 1, \"start\": \"08:00\", "
         "\"end\": \"09:40\", \"minutes\": 60}\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.args, kToday, c.timeOfDay);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[1];
        EXPECT_TRUE(run.err.empty());
    }
}

TEST(Next, BadTimesAreUsageErrorsAndAnUnreadableWeekExitsAsTheGridDoes) {
    for (const char* time : {"24:00", "7", "07:60", "07:5", "-1:00", ""}) {
        const CliRun run = cli({"next", "--time", time, kTypical});
        EXPECT_EQ(run.exitCode, 2) << time;
        EXPECT_NE(run.err.find("--time takes a time as HH:MM"), std::string::npos) << time;
    }
    EXPECT_EQ(cli({"grid", "--time", "07:00", kTypical}).exitCode, 2);
    // Week 3 of this workbook has a cell that cannot be read: the search stops there.
    const CliRun run = cli({"next", "--date", "2010-03-15", kBroken});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("发生错误：13"), std::string::npos);
    EXPECT_EQ(cli({"next", sample("layout-marker-below-200.xlsx")}).exitCode, 1);
}

} // namespace
