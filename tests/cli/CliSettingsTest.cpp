// The real orvanto-cli finds the viewer's term.ini without --term: beside itself when its folder
// is writable, else in the user's configuration folder; with none anywhere, the default term.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

constexpr const char* kAutumnTerm = "[term]\r\nstart=2026-09-07\r\nweeks=20\r\n";

class CliSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanto-cli-settings-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(bin());
        fs::create_directories(home());
        fs::copy_file(ORVANTO_CLI, bin() / "orvanto-cli");
        // An ordinary user must reach the copy and write in home (see runAsOrdinaryUser).
        for (const fs::path& p : {m_dir, bin()}) {
            fs::permissions(p, fs::perms::others_read | fs::perms::others_exec,
                            fs::perm_options::add);
        }
        fs::permissions(home(), fs::perms::all, fs::perm_options::add);
    }
    void TearDown() override {
        fs::permissions(bin(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    fs::path bin() const { return m_dir / "bin"; }
    fs::path home() const { return m_dir / "home"; }
    static void put(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Runs the copy with HOME set to home() and XDG_CONFIG_HOME unset. As root, whom no
    // folder refuses, the run becomes the user nobody, so that a read-only folder is one.
    CliRun run(const std::vector<std::string>& args, bool asOrdinaryUser = false) const {
        const std::string errFile = (m_dir / "stderr.txt").string();
        std::string command = "env -u XDG_CONFIG_HOME HOME='" + home().string() + "' ";
        if (asOrdinaryUser && ::geteuid() == 0) {
            command += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        }
        command += "'" + (bin() / "orvanto-cli").string() + "'";
        for (const auto& arg : args) {
            command += " '" + arg + "'";
        }
        command += " 2>'" + errFile + "'";
        CliRun result;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            result.out.append(buffer.data(), n);
        }
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream in(errFile, std::ios::binary);
        result.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return result;
    }

    void makeProgramFolderReadOnly() const {
        fs::permissions(bin(), fs::perms::owner_write | fs::perms::group_write,
                        fs::perm_options::remove);
    }

    fs::path m_dir;
};

// 2026-09-16 is in week 2 of the autumn term; the default term (from 2010-03-01) numbers it
// far beyond any week.
const std::vector<std::string> kWeekOfSeptember16 = {"week", "--date", "2026-09-16"};

TEST_F(CliSettingsTest, DefaultTermWithoutAnyTermIni) {
    const CliRun result = run(kWeekOfSeptember16);
    EXPECT_NE(result.out, "2\n");
    EXPECT_EQ(run({"week", "--date", "2010-03-19"}).out, "3\n");
}

TEST_F(CliSettingsTest, TermIniBesideAWritableProgram) {
    put(bin() / "term.ini", kAutumnTerm);
    put(home() / ".config/orvanto/term.ini", "[term]\r\nstart=2026-09-14\r\n");
    const CliRun result = run(kWeekOfSeptember16);
    EXPECT_EQ(result.out, "2\n") << result.err;
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(CliSettingsTest, TermIniInTheUserFolderForAReadOnlyProgram) {
    put(home() / ".config/orvanto/term.ini", kAutumnTerm);
    makeProgramFolderReadOnly();
    const CliRun result = run(kWeekOfSeptember16, true);
    EXPECT_EQ(result.out, "2\n") << result.err;
}

TEST_F(CliSettingsTest, TermIniBesideAReadOnlyProgramIsStillRead) {
    put(bin() / "term.ini", kAutumnTerm);
    makeProgramFolderReadOnly();
    EXPECT_EQ(run(kWeekOfSeptember16, true).out, "2\n");
}

TEST_F(CliSettingsTest, OptionsOverrideTheSettings) {
    put(bin() / "term.ini", kAutumnTerm);
    EXPECT_EQ(run({"week", "--date", "2026-09-16", "--term-start", "2026-09-14"}).out, "1\n");
    const fs::path other = m_dir / "other.ini";
    put(other, "[term]\r\nstart=2026-08-31\r\n");
    EXPECT_EQ(run({"week", "--date", "2026-09-16", "--term", other.string()}).out, "3\n");
}

// As the viewer does, a setting that cannot be used keeps its default, and the command goes
// on; stderr says which.
TEST_F(CliSettingsTest, UnusableSettingIsAWarning) {
    put(bin() / "term.ini", "[term]\r\nstart=2026-09-07\r\nweeks=99\r\n");
    const CliRun result = run(kWeekOfSeptember16);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "2\n");
    EXPECT_EQ(result.err, "orvanto-cli: warning: " + (bin() / "term.ini").string() +
                              ": weeks=99 is not a whole number from 1 to 30; the default is "
                              "used\n");
}

} // namespace
