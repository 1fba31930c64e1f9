// The start at login: the program's path written so that a desktop runs that program and no
// other, whatever characters its folder holds; turning it off leaves nothing behind.
#include "platform/Autostart.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orvanto::platform;

namespace {

class AutostartEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        m_config = fs::temp_directory_path() / ("orvanto-autostart-" + std::to_string(getpid()));
        setenv("XDG_CONFIG_HOME", m_config.c_str(), 1);
    }
    void TearDown() override {
        fs::remove_all(m_config);
        unsetenv("XDG_CONFIG_HOME");
    }
    std::string execLine() const {
        std::ifstream in(autostartEntry());
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("Exec=")) {
                return line.substr(5);
            }
        }
        return {};
    }
    fs::path m_config;
};

TEST_F(AutostartEntry, QuotesAndEscapesThePathAsTheDesktopEntryFormatAsks) {
    EXPECT_EQ(autostartEntry(), m_config / "autostart" / "orvanto.desktop");
    struct Case {
        const char* program;
        bool minimized;
        const char* exec;
    };
    const Case cases[] = {
        {"/usr/bin/orvanto", true, "/usr/bin/orvanto --minimized"},
        {"/usr/bin/orvanto", false, "/usr/bin/orvanto"},
        {"/home/学生/我的 课表/orvanto", false, "\"/home/学生/我的 课表/orvanto\""},
        // A field code is written %%; inside quotes ", `, $ and \ take a backslash, and the
        // value's own escaping doubles every backslash.
        {"/opt/100%/orvanto", false, "/opt/100%%/orvanto"},
        {"/opt/a\"b$c`d\\e/orvanto", true,
         "\"/opt/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e/orvanto\" --minimized"},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(enableAutostart(c.program, c.minimized)) << c.program;
        EXPECT_EQ(execLine(), c.exec) << c.program;
    }
}

TEST_F(AutostartEntry, APathThatCannotBeOneLineIsRefusedAndNothingIsWritten) {
    EXPECT_TRUE(enableAutostart("/opt/two\nlines/orvanto", false));
    EXPECT_FALSE(fs::exists(autostartEntry()));
}

TEST_F(AutostartEntry, TurningItOffRemovesTheEntryAndIsNoFailureWhenThereIsNone) {
    ASSERT_FALSE(enableAutostart("/usr/bin/orvanto", true));
    ASSERT_TRUE(fs::exists(autostartEntry()));
    EXPECT_FALSE(disableAutostart());
    EXPECT_FALSE(fs::exists(autostartEntry()));
    EXPECT_FALSE(disableAutostart());
}

} // namespace
