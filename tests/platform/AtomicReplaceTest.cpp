// Replacing a file where the user means it: through links, into FIFOs, never over a folder,
// keeping the permissions of what it replaces.
#include "platform/AtomicReplace.h"

#include "TestFolder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using orvanto::platform::replaceFile;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ReplaceFile : public ::testing::Test {
  protected:
    void put(const fs::path& file, const std::string& text) const {
        std::ofstream(file, std::ios::binary) << text;
    }
    // Nothing but the expected names: no temporary file is left behind.
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    const orvanto::testing::TestFolder m_folder{"orvanto-replace"};
    const fs::path m_dir = m_folder.path();
};

struct LinkCase {
    const char* name;
    // The link's text: relative to the link's folder, or absolute (empty: the target itself).
    bool absolute;
    int chainLength;
};

class ThroughLinks : public ReplaceFile, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(ThroughLinks, TheTargetIsReplacedAndEveryLinkStays) {
    const LinkCase& link = GetParam();
    fs::create_directories(m_dir / "real");
    const fs::path target = m_dir / "real" / "课表.ics";
    put(target, "old");
    fs::path last = target;
    for (int i = 0; i < link.chainLength; ++i) {
        const fs::path next = m_dir / ("link" + std::to_string(i));
        fs::create_symlink(link.absolute ? last : fs::relative(last, m_dir), next);
        last = next;
    }
    ASSERT_TRUE(replaceFile(last, "new contents").ok());
    for (int i = 0; i < link.chainLength; ++i) {
        EXPECT_TRUE(fs::is_symlink(m_dir / ("link" + std::to_string(i))));
    }
    EXPECT_EQ(contents(target), "new contents");
    EXPECT_EQ(contents(last), "new contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "real"), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Links, ThroughLinks,
                         ::testing::Values(LinkCase{"relative", false, 1},
                                           LinkCase{"absolute", true, 1},
                                           LinkCase{"chainOfThree", false, 3}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ReplaceFile, ADanglingLinkGetsItsTargetCreated) {
    fs::create_symlink("made-now.ini", m_dir / "term.ini");
    ASSERT_TRUE(replaceFile(m_dir / "term.ini", "x").ok());
    EXPECT_TRUE(fs::is_symlink(m_dir / "term.ini"));
    EXPECT_EQ(contents(m_dir / "made-now.ini"), "x");
}

TEST_F(ReplaceFile, ALinkLoopIsAFailureNotAHang) {
    fs::create_symlink("b", m_dir / "a");
    fs::create_symlink("a", m_dir / "b");
    const auto failure = replaceFile(m_dir / "a", "x");
    ASSERT_FALSE(failure.ok());
    EXPECT_EQ(failure.failure().status, orvanto::core::Status::Io);
    EXPECT_NE(failure.failure().detail.find("symbolic links"), std::string::npos)
        << failure.failure().detail;
    EXPECT_TRUE(fs::is_symlink(m_dir / "a"));
}

TEST_F(ReplaceFile, AFifoIsWrittenIntoAndStaysAFifo) {
    const fs::path fifo = m_dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // More than a pipe holds at once, so the writer really waits for the reader.
    const std::string text(200000, 'v');
    auto reader = std::async(std::launch::async, [&] { return contents(fifo); });
    EXPECT_TRUE(replaceFile(fifo, text).ok());
    EXPECT_EQ(reader.get(), text);
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReplaceFile, AFolderIsRefusedWithItsReasonAndKept) {
    fs::create_directories(m_dir / "calendar.ics" / "inside");
    const auto failure = replaceFile(m_dir / "calendar.ics", "x");
    ASSERT_FALSE(failure.ok());
    EXPECT_NE(failure.failure().detail.find("Is a directory"), std::string::npos)
        << failure.failure().detail;
    EXPECT_TRUE(fs::is_directory(m_dir / "calendar.ics" / "inside"));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReplaceFile, KeepsTheModeOfTheReplacedFile) {
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        const fs::path file = m_dir / "path.ini";
        put(file, "old");
        fs::permissions(file, mode);
        ASSERT_TRUE(replaceFile(file, "new").ok());
        EXPECT_EQ(fs::status(file).permissions(), mode);
        EXPECT_EQ(contents(file), "new");
    }
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReplaceFile, ANewFileTakesTheUmaskWhichStaysAsItWas) {
    const mode_t before = ::umask(027);
    ASSERT_TRUE(replaceFile(m_dir / "new.ini", "x").ok());
    EXPECT_EQ(::umask(before), mode_t{027});
    EXPECT_EQ(fs::status(m_dir / "new.ini").permissions(), fs::perms(0640));
}

} // namespace
