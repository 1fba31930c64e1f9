// The unique temporary file: a name no other holds, readable by its owner only, its bytes read
// back whole, gone again when it ends; a missing temporary folder is a reason, not a crash.
#include "platform/TemporaryFile.h"

#include "ScopedVariable.h"
#include "TestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using orvanto::platform::TemporaryFile;

namespace {

class TemporaryFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_dir);
        m_temporaryFolder.set(m_dir.string());
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    const orvanto::testing::TestFolder m_folder{"orvanto-temporary"};
    // A name with blanks and Chinese, as a student's temporary folder may have.
    const fs::path m_dir = m_folder.path() / "临时 文件";
    const orvanto::testing::ScopedVariable m_temporaryFolder{"TMPDIR"};
};

TEST_F(TemporaryFileTest, ManyAtOnceHaveNamesOfTheirOwnAndAreGoneAfter) {
    {
        std::vector<std::unique_ptr<TemporaryFile>> files;
        std::set<std::string> names;
        for (int i = 0; i < 200; ++i) {
            files.push_back(std::make_unique<TemporaryFile>());
            ASSERT_TRUE(files.back()->created()) << files.back()->problem();
            names.insert(files.back()->utf8Path());
        }
        EXPECT_EQ(names.size(), files.size());
        EXPECT_EQ(entries(), files.size());
        for (const std::string& name : names) {
            EXPECT_EQ(fs::path(name).parent_path(), m_dir);
            EXPECT_EQ(fs::status(name).permissions(), fs::perms(0600)) << name;
        }
    }
    EXPECT_EQ(entries(), 0u);
}

TEST_F(TemporaryFileTest, ContentsAreWhatWasWrittenByteForByte) {
    const TemporaryFile file;
    ASSERT_TRUE(file.created());
    const auto empty = file.contents();
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
    std::string bytes(1 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7 % 256);
    }
    std::ofstream(file.utf8Path(), std::ios::binary) << bytes;
    const auto read = file.contents();
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(std::string(read->begin(), read->end()), bytes);
}

TEST_F(TemporaryFileTest, AFileRemovedMeanwhileIsAFailureToReadBack) {
    const TemporaryFile file;
    ASSERT_TRUE(file.created());
    fs::remove(file.utf8Path());
    EXPECT_FALSE(file.contents().ok());
}

TEST_F(TemporaryFileTest, NoTemporaryFolderIsAReason) {
    m_temporaryFolder.set((m_dir / "gone").string());
    const TemporaryFile missing;
    EXPECT_FALSE(missing.created());
    EXPECT_FALSE(missing.problem().empty());
    // A folder that exists but takes no files.
    if (::geteuid() != 0) {
        m_temporaryFolder.set(m_dir.string());
        fs::permissions(m_dir, fs::perms(0500));
        const TemporaryFile refused;
        fs::permissions(m_dir, fs::perms(0700));
        EXPECT_FALSE(refused.created());
        EXPECT_NE(refused.problem().find(m_dir.string()), std::string::npos) << refused.problem();
    }
}

} // namespace
