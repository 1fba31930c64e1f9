// The one door for writes: what each save refuses, what a refused or failed save leaves, and
// that what is written is read back as written.
#include "service/StudentFiles.h"

#include "service/Schedule.h"
#include "settings/PathSettings.h"
#include "settings/ReminderSettings.h"
#include "settings/TermSettings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orvanto;

namespace {

class StudentFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanto-files-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_dir, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir);
    }
    static void put(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path m_dir;
};

calendar::CalendarExport calendarOf(std::string text) {
    return {std::move(text), 1, 16};
}

imports::ImportResult oneClass() {
    imports::ImportResult result;
    imports::ImportedClass entry;
    entry.course = "高等数学";
    entry.teacher = "张老师";
    entry.room = "教1-101";
    entry.weekday = 0;
    entry.periods = {1, 2};
    for (int week = 1; week <= 16; ++week) {
        entry.weeks.set(static_cast<std::size_t>(week));
    }
    result.classes.push_back(entry);
    return result;
}

// Where the calendar goes, as the student names it, against the workbook being read.
struct CalendarTarget {
    const char* name;
    void (*arrange)(const fs::path& dir); // makes target (and links) beside workbook.xlsx
    bool refused;
};

void nothing(const fs::path&) {}
void linkToWorkbook(const fs::path& dir) {
    fs::create_symlink("workbook.xlsx", dir / "target");
}
void workbookIsTheLink(const fs::path& dir) {
    fs::rename(dir / "workbook.xlsx", dir / "real.xlsx");
    fs::create_symlink("real.xlsx", dir / "workbook.xlsx");
    fs::create_symlink("real.xlsx", dir / "target");
}
void sameFileAnotherName(const fs::path& dir) {
    fs::create_hard_link(dir / "workbook.xlsx", dir / "target");
}

TEST_F(StudentFiles, TheCalendarIsNeverWrittenOverTheWorkbookBeingRead) {
    const CalendarTarget cases[] = {
        {"a new file", nothing, false},
        {"a link to the workbook", linkToWorkbook, true},
        {"both links to one file", workbookIsTheLink, true},
        {"a second name of the workbook", sameFileAnotherName, true},
    };
    for (const CalendarTarget& target : cases) {
        SCOPED_TRACE(target.name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        put(m_dir / "workbook.xlsx", "the timetable");
        target.arrange(m_dir);
        const auto saved = service::saveCalendar(calendarOf("BEGIN:VCALENDAR"), m_dir / "target",
                                                 m_dir / "workbook.xlsx");
        EXPECT_EQ(saved.ok(), !target.refused);
        EXPECT_EQ(contents(m_dir / "workbook.xlsx"), "the timetable");
        if (target.refused) {
            EXPECT_EQ(saved.failure().status, core::Status::Io);
            EXPECT_EQ(saved.failure().subject, service::kOverTheWorkbook);
            EXPECT_NE(saved.failure().detail.find("nothing was written"), std::string::npos);
        } else {
            EXPECT_EQ(contents(m_dir / "target"), "BEGIN:VCALENDAR");
        }
    }
}

TEST_F(StudentFiles, TheWorkbookItselfIsRefusedByItsOwnPath) {
    put(m_dir / "workbook.xlsx", "the timetable");
    const auto saved = service::saveCalendar(calendarOf("x"), m_dir / "workbook.xlsx",
                                             m_dir / "." / "workbook.xlsx");
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(contents(m_dir / "workbook.xlsx"), "the timetable");
}

TEST_F(StudentFiles, AFolderOrAnUnwritablePlaceIsTheTargetsFailure) {
    put(m_dir / "workbook.xlsx", "the timetable");
    fs::create_directories(m_dir / "课表.ics" / "inside");
    const auto folder =
        service::saveCalendar(calendarOf("x"), m_dir / "课表.ics", m_dir / "workbook.xlsx");
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.failure().status, core::Status::Io);
    EXPECT_EQ(folder.failure().subject, service::kTargetUnwritable);
    EXPECT_TRUE(fs::is_directory(m_dir / "课表.ics" / "inside"));

    const auto missing = service::saveImportedWorkbook(oneClass(), m_dir / "gone" / "课表.xlsx",
                                                       m_dir / "export.xls");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().subject, service::kTargetUnwritable);
}

TEST_F(StudentFiles, AnImportIsNeverWrittenOverItsExport) {
    put(m_dir / "export.xls", "the school's export");
    fs::create_symlink("export.xls", m_dir / "link.xls");
    for (const fs::path& target : {m_dir / "export.xls", m_dir / "link.xls"}) {
        const auto saved = service::saveImportedWorkbook(oneClass(), target, m_dir / "export.xls");
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.failure().subject, service::kOverTheExport);
    }
    EXPECT_EQ(contents(m_dir / "export.xls"), "the school's export");
}

TEST_F(StudentFiles, AnImportedWorkbookOpensWithItsClass) {
    ASSERT_TRUE(
        service::saveImportedWorkbook(oneClass(), m_dir / "课表.xlsx", m_dir / "export.xls").ok());
    const auto loaded = service::loadTimetable(m_dir / "课表.xlsx");
    ASSERT_TRUE(loaded.ok()) << loaded.failure().detail;
}

TEST_F(StudentFiles, SettingsGoToTheirFolderAndAreReadBack) {
    const auto location = settings::SettingsLocation::besideProgram(m_dir);
    ASSERT_TRUE(service::saveWorkbookChoice(location, "/home/学生/课表.xlsx").ok());
    EXPECT_EQ(settings::PathSettings(m_dir / "path.ini").read().path, "/home/学生/课表.xlsx");

    core::Term term;
    term.weeks = 18;
    term.edition = "2026秋";
    ASSERT_TRUE(service::saveTerm(location, term).ok());
    EXPECT_EQ(settings::TermSettings(m_dir / "term.ini").read().term.edition, "2026秋");

    const settings::Reminders reminders{.enabled = true, .minutes = 15};
    ASSERT_TRUE(service::saveReminders(location, reminders).ok());
    EXPECT_EQ(service::loadReminders(location).reminders, reminders);
}

TEST_F(StudentFiles, ASettingWithoutAFolderToGoToIsAnIoFailure) {
    // The user's configuration folder cannot be made: a file has its name.
    put(m_dir / "user", "not a folder");
    const auto location =
        settings::SettingsLocation::inUserFolder(m_dir / "program", m_dir / "user");
    const core::Result<void> saves[] = {service::saveWorkbookChoice(location, "/new.xls"),
                                        service::saveTerm(location, core::Term{}),
                                        service::saveReminders(location, {})};
    for (const auto& saved : saves) {
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.failure().status, core::Status::Io);
        EXPECT_FALSE(saved.failure().detail.empty());
    }
    EXPECT_EQ(contents(m_dir / "user"), "not a folder");
}

} // namespace
