// The folders as the operating system names them: whether a folder may be written by the one
// who runs the program, and the user's configuration folder from the environment.
#include "platform/ProgramFolders.h"

#include "ScopedVariable.h"
#include "TestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
namespace platform = orvanto::platform;

namespace {

class WritableFolderTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(program()); }
    void TearDown() override {
        fs::permissions(program(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::path program() const { return m_dir / "bin"; }
    const orvanto::testing::TestFolder m_folder{"orvanto-folders"};
    const fs::path m_dir = m_folder.path();
};

// Whether an ordinary user may write in folder. Root writes anywhere, so as root the check
// runs in a child that has become "nobody".
bool writableForOrdinaryUser(const fs::path& folder) {
    if (::geteuid() != 0) {
        return platform::isWritableFolder(folder);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        ::_exit(platform::isWritableFolder(folder) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not become nobody";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST_F(WritableFolderTest, AReadOnlyFolderIsNotWritable) {
    fs::permissions(m_dir, fs::perms::others_exec | fs::perms::others_read, fs::perm_options::add);
    fs::permissions(program(), fs::perms::owner_write | fs::perms::group_write,
                    fs::perm_options::remove);
    fs::permissions(program(), fs::perms::others_exec | fs::perms::others_read,
                    fs::perm_options::add);
    EXPECT_FALSE(writableForOrdinaryUser(program()));
    fs::permissions(program(), fs::perms::all, fs::perm_options::add);
    EXPECT_TRUE(writableForOrdinaryUser(program()));
    // A folder that is not there, or a file, is not a writable folder.
    EXPECT_FALSE(platform::isWritableFolder(m_dir / "gone"));
    EXPECT_FALSE(platform::isWritableFolder({}));
}

// The user's configuration folder from the environment, as Qt's application config location
// reads it (the viewer's own test compares the two under Qt itself).
struct EnvironmentCase {
    const char* name;
    std::optional<std::string> configHome;
    std::optional<std::string> home;
    const char* expected;
};

class UserConfigFolderTest : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(UserConfigFolderTest, FollowsTheEnvironment) {
    const orvanto::testing::ScopedVariable configHome("XDG_CONFIG_HOME", GetParam().configHome);
    const orvanto::testing::ScopedVariable home("HOME", GetParam().home);
    EXPECT_EQ(platform::userConfigFolder().lexically_normal(), fs::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Variables, UserConfigFolderTest,
    ::testing::Values(
        EnvironmentCase{"ConfigHome", "/home/s/.cfg", "/home/s", "/home/s/.cfg/orvanto"},
        EnvironmentCase{"ConfigHomeTrailingSlash", "/x/cfg/", "/home/s", "/x/cfg/orvanto"},
        EnvironmentCase{"EmptyConfigHome", "", "/home/s", "/home/s/.config/orvanto"},
        EnvironmentCase{"NoConfigHome", std::nullopt, "/home/学生", "/home/学生/.config/orvanto"},
        EnvironmentCase{"NoHomeEither", std::nullopt, std::nullopt, "/.config/orvanto"},
        EnvironmentCase{"EmptyHome", std::nullopt, "", "/.config/orvanto"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
