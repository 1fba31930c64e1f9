#include "calendar/CalendarFile.h"

#include "service/Timetable.h"
#include "spreadsheet/Workbook.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <set>
#include <string>
#include <vector>

namespace orvanto::calendar {
namespace {

using namespace std::chrono;

std::string sample(const std::string& name) {
    return std::string(ORVANTO_TEST_DATA) + "/samples/" + name;
}

const sys_seconds kStamp = sys_days{2026y / December / 7} + 18h;

service::LoadedTimetable load(const std::string& path) {
    auto loaded = service::loadTimetable(path);
    EXPECT_TRUE(loaded) << path << ": " << loaded.failure().detail;
    return std::move(loaded).value();
}

struct Parsed {
    int errors = 0;
    int events = 0;
    std::vector<std::string> uids;
    std::vector<std::string> starts; // DTSTART as written, with its parameters
};

// libical's own parser; X-LIC-ERROR properties are the problems it found.
Parsed parse(const std::string& text) {
    Parsed parsed;
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    EXPECT_NE(calendar, nullptr);
    if (calendar == nullptr) {
        return parsed;
    }
    parsed.errors = icalcomponent_count_errors(calendar);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ++parsed.events;
        parsed.uids.emplace_back(icalcomponent_get_uid(event));
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        parsed.starts.emplace_back(icalproperty_as_ical_string(start));
    }
    icalcomponent_free(calendar);
    return parsed;
}

class Export : public ::testing::TestWithParam<const char*> {};

TEST_P(Export, LibicalReadsItBackWithoutErrorsAndTheUidsStay) {
    const service::LoadedTimetable loaded = load(sample(GetParam()));
    const auto first = exportCalendar(loaded, {}, kStamp);
    ASSERT_TRUE(first) << first.failure().detail;
    const auto again = exportCalendar(loaded, {}, kStamp + hours{24 * 30});
    ASSERT_TRUE(again);

    const Parsed parsed = parse(first->text);
    EXPECT_EQ(parsed.errors, 0) << first->text;
    EXPECT_EQ(parsed.events, first->events);
    EXPECT_GT(first->meetings, first->events);
    EXPECT_EQ(std::set<std::string>(parsed.uids.begin(), parsed.uids.end()).size(),
              parsed.uids.size())
        << "UIDs repeat";
    EXPECT_EQ(parse(again->text).uids, parsed.uids);
    EXPECT_NE(again->text, first->text) << "DTSTAMP is the export time";
    for (const std::string& start : parsed.starts) {
        EXPECT_EQ(start.rfind("DTSTART;TZID=Asia/Shanghai:2010", 0), 0u) << start;
    }
    EXPECT_NE(first->text.find("BEGIN:VTIMEZONE\r\nTZID:Asia/Shanghai\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Samples, Export,
                         ::testing::Values("layout-typical-xlsxwriter.xlsx",
                                           "layout-typical-libreoffice-lo.xls",
                                           "layout-week-patterns.xlsx"));

// The times themselves are checked against the grid by ics_equivalence.py.
TEST(Export, AnotherTermGivesOtherEventsStampedInUtc) {
    const service::LoadedTimetable loaded = load(sample("layout-typical-xlsxwriter.xlsx"));
    core::Term autumn;
    autumn.firstMonday = 2026y / September / 7;
    const auto exported = exportCalendar(loaded, autumn, kStamp);
    const auto spring = exportCalendar(loaded, {}, kStamp);
    ASSERT_TRUE(exported && spring);
    EXPECT_NE(exported->text.find("DTSTAMP:20261207T180000Z\r\n"), std::string::npos);
    const std::vector<std::string> autumnUids = parse(exported->text).uids;
    for (const std::string& uid : parse(spring->text).uids) {
        EXPECT_EQ(std::count(autumnUids.begin(), autumnUids.end(), uid), 0) << uid;
    }
}

TEST(Export, AnUnreadableCellFailsTheWholeExportNamingTheWeek) {
    for (const char* name : {"layout-error-week3.xlsx", "layout-error-week3-lo.xls"}) {
        const auto exported = exportCalendar(load(sample(name)), {}, kStamp);
        ASSERT_FALSE(exported) << name;
        EXPECT_EQ(exported.failure().status, core::Status::TypeMismatch) << name;
        EXPECT_EQ(exported.failure().subject, "3") << name;
    }
}

TEST(Export, CellLineBreaksAndControlCharactersBecomeValidText) {
    ClassSeries series{0, 0, {"第一行\r\n第二行\r第三行", "tab\there\x01", "a\nb"}, 1, 1, 1};
    const std::string text = calendarText({series}, {}, kStamp);
    EXPECT_EQ(parse(text).errors, 0);
    EXPECT_NE(text.find("SUMMARY:第一行\\n第二行\\n第三行\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("DESCRIPTION:tab\there \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("LOCATION:a\\nb\r\n"), std::string::npos) << text;
}

TEST(Export, TheUidNamesTheSlotAndWeekPatternNeverTheTexts) {
    const ClassSeries base{1, 2, {"高等数学", "张明", "教3-201"}, 3, 1, 10};
    const std::string uid = eventUid(base, {});
    EXPECT_EQ(uid, "20100301-p2-d3-w3-i1-n10@orvanto");
    for (const ClassLines& lines :
         {ClassLines{"高等数学(2)", "张明", "教3-201"}, ClassLines{"高等数学", "李华", "教3-201"},
          ClassLines{"高等数学", "张明", "理科楼A208"}}) {
        ClassSeries renamed = base;
        renamed.lines = lines;
        EXPECT_EQ(eventUid(renamed, {}), uid) << lines[0] << lines[1] << lines[2];
    }
    core::Term autumn;
    autumn.firstMonday = 2026y / September / 7;
    const std::vector<std::function<void(ClassSeries&)>> changes = {
        [](ClassSeries& s) { s.bigPeriod = 2; }, [](ClassSeries& s) { s.weekday = 3; },
        [](ClassSeries& s) { s.firstWeek = 4; }, [](ClassSeries& s) { s.interval = 2; },
        [](ClassSeries& s) { s.count = 12; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        ClassSeries other = base;
        changes[i](other);
        EXPECT_NE(eventUid(other, {}), uid) << "change " << i;
    }
    EXPECT_NE(eventUid(base, autumn), uid);
}

// What a re-import sees: the timetable again with one room changed, as students' timetables
// most often change.
TEST(Export, ARoomChangeKeepsEveryUidAndChangesOnlyThatLocation) {
    const service::LoadedTimetable before = load(sample("layout-typical-xlsxwriter.xlsx"));
    spreadsheet::WorkbookCells cells = before.workbook.cells();
    spreadsheet::CellValue& room = cells.grid[6 - 1][0]; // C6: the room of Monday's first class
    ASSERT_EQ(room.text, "教3-201");
    room.text = "教5-404";
    const service::LoadedTimetable after{spreadsheet::Workbook(std::move(cells)), before.markers};

    const auto first = exportCalendar(before, {}, kStamp);
    const auto second = exportCalendar(after, {}, kStamp);
    ASSERT_TRUE(first && second);
    std::vector<std::string> firstUids = parse(first->text).uids;
    std::vector<std::string> secondUids = parse(second->text).uids;
    std::ranges::sort(firstUids);
    std::ranges::sort(secondUids);
    EXPECT_EQ(firstUids, secondUids);
    EXPECT_EQ(std::set<std::string>(firstUids.begin(), firstUids.end()).size(), firstUids.size());
    EXPECT_NE(second->text.find("LOCATION:教5-404"), std::string::npos);
    EXPECT_EQ(second->text.find("LOCATION:教3-201"), std::string::npos);
}

} // namespace
} // namespace orvanto::calendar
