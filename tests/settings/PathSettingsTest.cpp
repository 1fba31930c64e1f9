#include "settings/PathSettings.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanto::settings::PathSettings;
using orvanto::settings::StoredPath;

namespace {

class PathSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanto-settings-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path ini() const { return m_dir / "path.ini"; }
    void put(const std::string& bytes) const { std::ofstream(ini(), std::ios::binary) << bytes; }
    std::string contents() const {
        std::ifstream in(ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path m_dir;
};

struct LastLineCase {
    const char* text;
    const char* line;
};

class LastLineTest : public ::testing::TestWithParam<LastLineCase> {};

TEST_P(LastLineTest, TakesTheLastLineUnchanged) {
    EXPECT_EQ(PathSettings::lastLine(GetParam().text), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, LastLineTest,
    ::testing::Values(LastLineCase{"", ""}, LastLineCase{"D:\\课表.xls", "D:\\课表.xls"},
                      LastLineCase{"D:\\a.xls\r\n", "D:\\a.xls"},
                      LastLineCase{"D:\\a.xls\r\nE:\\b.xlsx\r\n", "E:\\b.xlsx"},
                      LastLineCase{"D:\\a.xls\rE:\\b.xlsx", "E:\\b.xlsx"},
                      LastLineCase{"D:\\a.xls\nE:\\b.xlsx\n", "E:\\b.xlsx"},
                      LastLineCase{"D:\\a.xls\r\n\r\n", ""}, LastLineCase{"\r\n", ""},
                      LastLineCase{"  spaced name.xls  \r\n", "  spaced name.xls  "}));

TEST_F(PathSettingsTest, LivesBesideTheProgram) {
    EXPECT_EQ(PathSettings::inDirectory(m_dir).file(), m_dir / "path.ini");
}

TEST_F(PathSettingsTest, MissingFileIsReportedAndCreatedEmpty) {
    PathSettings settings(ini());
    EXPECT_EQ(settings.read().state, StoredPath::State::Missing);
    EXPECT_TRUE(settings.createEmpty());
    ASSERT_TRUE(fs::exists(ini()));
    EXPECT_EQ(fs::file_size(ini()), 0u);
    StoredPath again = settings.read();
    EXPECT_EQ(again.state, StoredPath::State::Read);
    EXPECT_EQ(again.path, "");
}

TEST_F(PathSettingsTest, CreatingEmptyLeavesAnExistingFileAlone) {
    put("D:\\a.xls\r\n");
    EXPECT_TRUE(PathSettings(ini()).createEmpty());
    EXPECT_EQ(contents(), "D:\\a.xls\r\n");
}

TEST_F(PathSettingsTest, ReadsTheLastLineOfTheFile) {
    put("/old/one.xls\r\n/home/学生/课表 2010.xlsx\r\n");
    StoredPath stored = PathSettings(ini()).read();
    EXPECT_EQ(stored.state, StoredPath::State::Read);
    EXPECT_EQ(stored.path, "/home/学生/课表 2010.xlsx");
}

// At most kMaxFileSize bytes are read: a file of exactly that size still gives its last
// line, one byte more is unreadable rather than read whole.
TEST_F(PathSettingsTest, ReadsFilesUpToTheSizeLimit) {
    const std::string line = "/home/学生/课表.xlsx\r\n";
    const std::string filler(PathSettings::kMaxFileSize - line.size() - 2, 'x');
    put(filler + "\r\n" + line);
    StoredPath stored = PathSettings(ini()).read();
    EXPECT_EQ(stored.state, StoredPath::State::Read);
    EXPECT_EQ(stored.path, "/home/学生/课表.xlsx");

    put("x" + filler + "\r\n" + line);
    EXPECT_EQ(PathSettings(ini()).read().state, StoredPath::State::Unreadable);
}

TEST_F(PathSettingsTest, WritesOneLineWithCarriageReturnLineFeed) {
    put("/old/one.xls\r\n/old/two.xls\r\n");
    PathSettings settings(ini());
    EXPECT_TRUE(settings.write("/home/学生/课表.xlsx").ok());
    EXPECT_EQ(contents(), "/home/学生/课表.xlsx\r\n");
    EXPECT_EQ(settings.read().path, "/home/学生/课表.xlsx");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(PathSettingsTest, FailedWriteKeepsTheSavedPath) {
    put("/home/student/timetable.xls\r\n");
    // A file size limit makes the write fail part way, for root as for anyone else.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 8;
    ::setrlimit(RLIMIT_FSIZE, &tight);
    const auto written = PathSettings(ini()).write("/a/path/that/is/longer/than/eight/bytes.xls");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_FALSE(written.ok());
    EXPECT_FALSE(written.failure().detail.empty());
    EXPECT_EQ(contents(), "/home/student/timetable.xls\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(PathSettingsTest, WriteIntoAMissingFolderFails) {
    EXPECT_FALSE(PathSettings(m_dir / "gone" / "path.ini").write("/x.xls").ok());
}

TEST_F(PathSettingsTest, UnreadableFileIsNotMistakenForMissing) {
    fs::create_directory(ini()); // exists, but cannot be read as a file
    StoredPath stored = PathSettings(ini()).read();
    EXPECT_EQ(stored.state, StoredPath::State::Unreadable);
    EXPECT_EQ(stored.path, "");
}

} // namespace
