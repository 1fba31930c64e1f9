// Where the settings are read and saved: beside a writable program, in the user's folder
// otherwise, with a file beside a read-only program still read until the user saves their own.
#include "settings/SettingsLocation.h"

#include "settings/PathSettings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanto::settings::PathSettings;
using orvanto::settings::SettingsLocation;

namespace {

class SettingsLocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanto-location-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(program());
    }
    void TearDown() override {
        fs::permissions(program(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    fs::path program() const { return m_dir / "bin"; }
    fs::path user() const { return m_dir / "config" / "orvanto"; }
    static void put(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    fs::path m_dir;
};

// Which copy of path.ini is read, for each place a copy may be.
struct ReadCase {
    const char* name;
    bool portable;
    bool besideProgram;
    bool inUserFolder;
    const char* expected; // "bin" or "config"
};

class SettingsReadTest : public SettingsLocationTest,
                         public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsReadTest, ReadsTheRightCopy) {
    const ReadCase& c = GetParam();
    if (c.besideProgram) {
        put(program() / "path.ini", "bin\r\n");
    }
    if (c.inUserFolder) {
        put(user() / "path.ini", "config\r\n");
    }
    const SettingsLocation location = c.portable
                                          ? SettingsLocation::besideProgram(program())
                                          : SettingsLocation::inUserFolder(program(), user());
    const fs::path file = location.fileToRead("path.ini");
    EXPECT_EQ(file.parent_path().filename() == "bin" ? "bin" : "config", std::string(c.expected));
    const bool written = std::string(c.expected) == "bin" ? c.besideProgram : c.inUserFolder;
    if (written) {
        EXPECT_EQ(PathSettings(file).read().path, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, SettingsReadTest,
    ::testing::Values(
        // A portable copy never looks at the user's folder.
        ReadCase{"PortableOwnCopy", true, true, false, "bin"},
        ReadCase{"PortableIgnoresUserFolder", true, true, true, "bin"},
        ReadCase{"PortableNothingYet", true, false, true, "bin"},
        // Installed: the user's own copy wins, one left beside the program is the fallback.
        ReadCase{"InstalledUserCopy", false, false, true, "config"},
        ReadCase{"InstalledUserCopyWins", false, true, true, "config"},
        ReadCase{"InstalledReadsBesideReadOnlyProgram", false, true, false, "bin"},
        ReadCase{"InstalledNothingYet", false, false, false, "bin"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SettingsLocationTest, FirstSaveCreatesTheUserFolderAndIsReadNextTime) {
    put(program() / "path.ini", "/srv/lab/timetable.xlsx\r\n");
    const auto location = SettingsLocation::inUserFolder(program(), user());
    EXPECT_FALSE(fs::exists(user())); // reading creates nothing

    const auto file = location.prepareSave("path.ini");
    ASSERT_TRUE(file) << file.failure().detail;
    EXPECT_EQ(file.value(), user() / "path.ini");
    EXPECT_TRUE(fs::is_directory(user()));
    ASSERT_TRUE(PathSettings(file.value()).write("/home/学生/课表.xlsx").ok());

    EXPECT_EQ(PathSettings(location.fileToRead("path.ini")).read().path, "/home/学生/课表.xlsx");
    // The copy beside the program is left as it was.
    EXPECT_EQ(PathSettings(program() / "path.ini").read().path, "/srv/lab/timetable.xlsx");
}

TEST_F(SettingsLocationTest, PortableSaveNeverCreatesTheProgramFolder) {
    const auto location = SettingsLocation::besideProgram(m_dir / "gone");
    const auto file = location.prepareSave("term.ini");
    ASSERT_TRUE(file);
    EXPECT_FALSE(fs::exists(m_dir / "gone"));
    EXPECT_FALSE(PathSettings(file.value()).write("/x.xls").ok());
}

TEST_F(SettingsLocationTest, UserFolderThatCannotBeMadeFailsWithItsName) {
    put(m_dir / "config", "a file where the folder should be");
    const auto file = SettingsLocation::inUserFolder(program(), user()).prepareSave("path.ini");
    ASSERT_FALSE(file);
    EXPECT_NE(file.failure().detail.find(user().string()), std::string::npos);
}

TEST_F(SettingsLocationTest, WithoutAUserFolderTheProgramFolderIsAllThereIs) {
    const auto location = SettingsLocation::inUserFolder(program(), {});
    EXPECT_TRUE(location.isBesideProgram());
    EXPECT_EQ(location.fileToRead("term.ini"), program() / "term.ini");
}

TEST_F(SettingsLocationTest, WritableProgramFolderKeepsSettingsBesideIt) {
    EXPECT_TRUE(SettingsLocation::forProgramIn(program()).isBesideProgram());
    // A folder that is not there is not writable.
    EXPECT_FALSE(SettingsLocation::forProgramIn(m_dir / "gone").isBesideProgram());
}

} // namespace
