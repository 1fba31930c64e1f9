// term.ini: its one written shape, forgiving reading, and what a damaged file leaves standing.
#include "settings/TermSettings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orvanto::settings;
using namespace std::chrono;
using orvanto::core::PeriodTime;
using orvanto::core::Term;
using Problem = TermNotice::Problem;

namespace {

constexpr const char* kAutumnIni = "[term]\r\nstart=2026-09-07\r\nweeks=20\r\n"
                                   "edition=2026年秋季学期\r\n[periods]\r\n1=08:00-09:40\r\n"
                                   "2=10:00-11:40\r\n3=14:00-15:40\r\n4=16:00-17:40\r\n"
                                   "5=19:00-20:40\r\n";

Term autumn() {
    Term term;
    term.firstMonday = 2026y / September / 7;
    term.weeks = 20;
    term.edition = "2026年秋季学期";
    return term;
}

TEST(TermFile, WritesTheOneShapeAndReadsItBack) {
    EXPECT_EQ(TermSettings::format(autumn()), kAutumnIni);
    const StoredTerm read = TermSettings::parse(kAutumnIni);
    EXPECT_EQ(read.term, autumn());
    EXPECT_TRUE(read.notices.empty());
}

TEST(TermFile, ReadsForgivingly) {
    const StoredTerm read = TermSettings::parse(
        "\xEF\xBB\xBF; written by hand\n[periods]\n 3 = 13:30 - 15:05 \n[Term]\nweeks = 18\n"
        "start=2026-09-07\nstart=2026-02-23\nunknown=kept away\n[other]\nweeks=3\n");
    Term expected;
    expected.firstMonday = 2026y / February / 23;
    expected.weeks = 18;
    expected.periods[2] = PeriodTime{13 * 60 + 30, 15 * 60 + 5};
    EXPECT_EQ(read.term, expected);
    EXPECT_TRUE(read.notices.empty());
}

struct DamagedCase {
    const char* name;
    const char* text;
    std::vector<TermNotice> notices;
};

class DamagedTermFile : public ::testing::TestWithParam<DamagedCase> {};

// Only the bad keys fall back to their defaults, and each is reported once.
TEST_P(DamagedTermFile, KeepsTheDefaultForEachBadKey) {
    const StoredTerm read = TermSettings::parse(GetParam().text);
    EXPECT_EQ(read.notices, GetParam().notices);
    Term expected;
    expected.weeks = 20; // every case sets a good weeks=20 too
    if (std::string(GetParam().name) == "notAMonday") {
        expected.firstMonday = 2026y / September / 7;
    }
    EXPECT_EQ(read.term, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedTermFile,
    ::testing::Values(DamagedCase{"badDate",
                                  "[term]\nweeks=20\nstart=2026-02-30\n",
                                  {{Problem::NotADate, "start", "2026-02-30"}}},
                      DamagedCase{"notAMonday",
                                  "[term]\nweeks=20\nstart=2026-09-09\n",
                                  {{Problem::NotAMonday, "start", "2026-09-09"}}},
                      DamagedCase{"weeksOutOfRange",
                                  "[term]\nweeks=20\nweeks=31\n",
                                  {{Problem::WeeksOutOfRange, "weeks", "31"}}},
                      DamagedCase{"weeksNotANumber",
                                  "[term]\nweeks=20\nweeks=20周\n",
                                  {{Problem::WeeksOutOfRange, "weeks", "20周"}}},
                      DamagedCase{"endBeforeStart",
                                  "[term]\nweeks=20\n[periods]\n2=11:40-10:00\n",
                                  {{Problem::NotAPeriod, "2", "11:40-10:00"}}},
                      DamagedCase{"badClock",
                                  "[term]\nweeks=20\n[periods]\n5=19:00-24:10\n",
                                  {{Problem::NotAPeriod, "5", "19:00-24:10"}}},
                      DamagedCase{"editionNotUtf8",
                                  "[term]\nweeks=20\nedition=\xB4\xBA\xBC\xBE\n",
                                  {{Problem::EditionNotText, "edition", "\\xB4\\xBA\\xBC\\xBE"}}},
                      DamagedCase{"garbageLine",
                                  "[term]\nweeks=20\n\x01\x02garbage\n",
                                  {{Problem::UnrecognisedLine, "3", "\\x01\\x02garbage"}}},
                      DamagedCase{"laterGoodValueWins", "[term]\nweeks=99\nweeks=20\n", {}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TermFile, ShowsAtMostFortyCharactersOfABadValue) {
    const StoredTerm read = TermSettings::parse("[term]\nweeks=" + std::string(5000, '7') + "\n");
    ASSERT_EQ(read.notices.size(), 1u);
    EXPECT_EQ(read.notices[0].value, std::string(40, '7') + "...");
}

class TermFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanto-term-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path ini() const { return m_dir / "term.ini"; }
    fs::path m_dir;
};

TEST_F(TermFileOnDisk, NoFileMeansTheDefaultTerm) {
    const StoredTerm read = TermSettings(ini()).read();
    EXPECT_FALSE(read.fileExists);
    EXPECT_EQ(read.term, Term{});
    EXPECT_TRUE(read.notices.empty());
    EXPECT_EQ(TermSettings::besidePathIni(m_dir / "path.ini").file(), ini());
}

TEST_F(TermFileOnDisk, BinaryFileKeepsEveryDefaultAndIsNotRewritten) {
    const std::string binary("PK\x03\x04\x00\x00weeks=3\n", 14);
    std::ofstream(ini(), std::ios::binary) << binary;
    const StoredTerm read = TermSettings(ini()).read();
    EXPECT_EQ(read.term, Term{});
    ASSERT_EQ(read.notices.size(), 1u);
    EXPECT_EQ(read.notices[0].problem, Problem::FileUnreadable);
    std::ifstream in(ini(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), binary);
}

TEST_F(TermFileOnDisk, WriteReplacesTheFileAndAFailedWriteKeepsIt) {
    ASSERT_TRUE(TermSettings(ini()).write(autumn()).ok());
    EXPECT_EQ(TermSettings(ini()).read().term, autumn());
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(TermSettings(m_dir / "missing" / "term.ini").write(autumn()).ok());
    EXPECT_EQ(TermSettings(ini()).read().term, autumn());
}

TEST_F(TermFileOnDisk, ALinkedTermFileStaysLinked) {
    fs::create_directories(m_dir / "dotfiles");
    std::ofstream(m_dir / "dotfiles" / "term.ini", std::ios::binary) << "";
    fs::create_symlink("dotfiles/term.ini", ini());
    ASSERT_TRUE(TermSettings(ini()).write(autumn()).ok());
    EXPECT_TRUE(fs::is_symlink(ini()));
    EXPECT_EQ(TermSettings(m_dir / "dotfiles" / "term.ini").read().term, autumn());
}

TEST(TermFile, ParsesDatesAndPeriodsStrictly) {
    EXPECT_EQ(parseIsoDate("2026-09-07"), 2026y / September / 7);
    for (const char* bad : {"2026-9-07", "2026/09/07", "26-09-07", "2026-13-01", "2026-09-07x"}) {
        EXPECT_FALSE(parseIsoDate(bad)) << bad;
    }
    EXPECT_EQ(parsePeriod("8:00-9:40"), (PeriodTime{480, 580}));
    for (const char* bad : {"08:00", "08:00-08:00", "08:60-09:00", "0800-0940", "-", "08:00-"}) {
        EXPECT_FALSE(parsePeriod(bad)) << bad;
    }
}

} // namespace
