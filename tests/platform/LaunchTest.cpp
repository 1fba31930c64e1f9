// Starting the text viewer: found on PATH as a shell would, handed the file as one argument,
// left running in a session of its own, and never a child of ours to wait for.
#include "platform/Launch.h"

#include "ScopedVariable.h"
#include "TestFolder.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanto::platform::openTextFile;

namespace {

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Waits up to five seconds for a file a viewer writes last.
bool appears(const fs::path& file) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(file)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class LaunchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_dir / "bin");
        const char* path = std::getenv("PATH");
        m_path.set((m_dir / "bin").string() + ":" + (path != nullptr ? path : ""));
    }
    // A stand-in xdg-open running script, executable or not.
    fs::path viewer(const std::string& script, bool executable = true) const {
        const fs::path file = m_dir / "bin" / "xdg-open";
        std::ofstream(file) << "#!/bin/sh\n" << script;
        fs::permissions(file, executable ? fs::perms(0755) : fs::perms(0644));
        return file;
    }
    const orvanto::testing::TestFolder m_folder{"orvanto-launch"};
    const fs::path m_dir = m_folder.path();
    const orvanto::testing::ScopedVariable m_path{"PATH"};
};

TEST_F(LaunchTest, TheFileIsOneArgumentWhateverItHolds) {
    const fs::path recorder =
        viewer("for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
               "mv \"$0.args.tmp\" \"$0.args\"\n");
    for (const std::string name : {"帮助文档【必看】.txt", "my \"dir\" $HOME; `x` *.txt",
                                   "-n starts like an option.txt", ""}) {
        fs::remove(recorder.string() + ".args");
        const fs::path file = m_dir / name;
        ASSERT_TRUE(openTextFile(file)) << name;
        ASSERT_TRUE(appears(recorder.string() + ".args")) << name;
        EXPECT_EQ(contents(recorder.string() + ".args"), file.string() + "\n");
    }
}

TEST_F(LaunchTest, ReturnsAtOnceAndLeavesNoChildToWaitFor) {
    const fs::path started = viewer("echo $$ > \"$0.pid.tmp\"; mv \"$0.pid.tmp\" \"$0.pid\"\n"
                                    "exec sleep 30\n");
    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(openTextFile(m_dir / "help.txt"));
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    ASSERT_TRUE(appears(started.string() + ".pid"));
    const pid_t pid = std::stoi(contents(started.string() + ".pid"));
    // Its own session leader, so closing our terminal does not end it...
    EXPECT_EQ(::getsid(pid), pid);
    // ...and not our child: nothing is left for us to reap, now or when it ends.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    ::kill(pid, SIGKILL);
}

TEST_F(LaunchTest, AViewerThatCannotStartIsReported) {
    // Not on PATH at all.
    m_path.set((m_dir / "nowhere").string());
    EXPECT_FALSE(openTextFile(m_dir / "a.txt"));
    m_path.set((m_dir / "bin").string());
    // On PATH but not executable, or a folder of that name.
    viewer("exit 0\n", false);
    EXPECT_FALSE(openTextFile(m_dir / "a.txt"));
    fs::remove(m_dir / "bin" / "xdg-open");
    fs::create_directories(m_dir / "bin" / "xdg-open");
    EXPECT_FALSE(openTextFile(m_dir / "a.txt"));
    // Executable but not a program the system can run: exec itself fails.
    fs::remove(m_dir / "bin" / "xdg-open");
    std::ofstream(m_dir / "bin" / "xdg-open") << "\x7f"
                                                 "ELF garbage";
    fs::permissions(m_dir / "bin" / "xdg-open", fs::perms(0755));
    EXPECT_FALSE(openTextFile(m_dir / "a.txt"));
}

// xdg-open ends with a non-zero status when no program opens the file (3: no method, 4: the
// action failed); ending well, or still running, is success.
TEST_F(LaunchTest, AnOpenerThatFindsNoProgramIsReported) {
    const struct {
        const char* script;
        bool opened;
    } cases[] = {
        {"echo \"xdg-open: no method available\" >&2; exit 3\n", false},
        {"exit 4\n", false},
        {"kill -9 $$\n", false},
        {"exit 0\n", true},
        {"sleep 0.1; exit 0\n", true},
    };
    for (const auto& c : cases) {
        viewer(c.script);
        EXPECT_EQ(openTextFile(m_dir / "help.txt"), c.opened) << c.script;
    }
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

} // namespace
