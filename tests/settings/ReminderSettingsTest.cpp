// reminders.ini: all off without it, its one written shape, and what a bad value leaves standing.
#include "settings/ReminderSettings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orvanto::settings;
using Problem = ReminderNotice::Problem;

namespace {

TEST(ReminderFile, WritesTheOneShapeAndReadsItBack) {
    const Reminders on{.enabled = true, .minutes = 25, .sound = true, .tray = true};
    const std::string text = ReminderSettings::format(on);
    EXPECT_EQ(text, "[reminders]\r\nenabled=1\r\nminutes=25\r\nsound=1\r\ntray=1\r\n"
                    "autostart=0\r\n");
    const StoredReminders read = ReminderSettings::parse(text);
    EXPECT_EQ(read.reminders, on);
    EXPECT_TRUE(read.notices.empty());
}

struct FileCase {
    const char* name;
    const char* text;
    Reminders expected;
    std::vector<ReminderNotice> notices;
};

class ReminderFileCases : public ::testing::TestWithParam<FileCase> {};

// A bad value keeps the default (off, 10 minutes) and is reported once; the rest is taken.
TEST_P(ReminderFileCases, TakesWhatItCanAndReportsTheRest) {
    const StoredReminders read = ReminderSettings::parse(GetParam().text);
    EXPECT_EQ(read.reminders, GetParam().expected);
    EXPECT_EQ(read.notices, GetParam().notices);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReminderFileCases,
    ::testing::Values(
        FileCase{"Forgiving",
                 "\xEF\xBB\xBF; mine\n[Reminders]\n Enabled = 1 \nminutes=0\n[x]\ntray=1\n",
                 {.enabled = true, .minutes = 0},
                 {}},
        FileCase{"Bounds", "[reminders]\nminutes=120\n", {.minutes = 120}, {}},
        FileCase{"MinutesTooMany",
                 "[reminders]\nenabled=1\nminutes=121\n",
                 {.enabled = true},
                 {{Problem::MinutesOutOfRange, "minutes", "121"}}},
        FileCase{
            "MinutesNegativeOrText",
            "[reminders]\nminutes=-5\nsound=yes\n",
            {},
            {{Problem::MinutesOutOfRange, "minutes", "-5"}, {Problem::NotOnOff, "sound", "yes"}}},
        FileCase{"ALaterLineWins",
                 "[reminders]\ntray=2\ntray=1\nminutes=x\nminutes=30\n",
                 {.minutes = 30, .tray = true},
                 {}},
        FileCase{"AGoodValueIsNotUndoneByALaterBadOne",
                 "[reminders]\nautostart=1\nautostart=on\n",
                 {.autostart = true},
                 {{Problem::NotOnOff, "autostart", "on"}}},
        FileCase{"UnrecognisedLine",
                 "[reminders]\nenabled\n[half\n",
                 {},
                 {{Problem::UnrecognisedLine, "2", "enabled"},
                  {Problem::UnrecognisedLine, "3", "[half"}}}),
    [](const auto& param) { return std::string(param.param.name); });

class ReminderFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvanto-reminders-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(ReminderFileOnDisk, NoFileMeansAllOff) {
    const StoredReminders read = ReminderSettings(m_dir / "reminders.ini").read();
    EXPECT_FALSE(read.fileExists);
    EXPECT_EQ(read.reminders, Reminders{});
    EXPECT_TRUE(read.notices.empty());
}

TEST_F(ReminderFileOnDisk, AnUnreadableFileLeavesAllOffAndIsNotRewritten) {
    const fs::path file = m_dir / "reminders.ini";
    std::ofstream(file, std::ios::binary) << std::string("[reminders]\nenabled=1\n\0", 23);
    const StoredReminders read = ReminderSettings(file).read();
    EXPECT_EQ(read.reminders, Reminders{});
    EXPECT_EQ(read.notices, (std::vector<ReminderNotice>{{Problem::FileUnreadable, {}, {}}}));
    fs::create_directory(m_dir / "folder.ini");
    EXPECT_EQ(ReminderSettings(m_dir / "folder.ini").read().notices.size(), 1u);
}

TEST_F(ReminderFileOnDisk, WriteReplacesTheFileAndAFailedWriteKeepsNothingHalfDone) {
    const fs::path file = m_dir / "reminders.ini";
    const ReminderSettings settings(file);
    ASSERT_TRUE(settings.write({.enabled = true, .minutes = 5}));
    EXPECT_EQ(settings.read().reminders, (Reminders{.enabled = true, .minutes = 5}));
    EXPECT_FALSE(ReminderSettings(m_dir / "missing" / "reminders.ini").write({}));
}

} // namespace
