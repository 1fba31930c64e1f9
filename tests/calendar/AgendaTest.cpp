#include "calendar/Agenda.h"
#include "service/Timetable.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvanto::calendar {
namespace {

using namespace std::chrono;

service::LoadedTimetable typical() {
    auto loaded = service::loadTimetable(std::string(ORVANTO_TEST_DATA) +
                                         "/samples/layout-typical-xlsxwriter.xlsx");
    EXPECT_TRUE(loaded);
    return std::move(loaded).value();
}

std::vector<std::string> courses(const DayAgenda& agenda) {
    std::vector<std::string> out;
    for (const AgendaEntry& entry : agenda.entries) {
        out.push_back(entry.course);
    }
    return out;
}

TEST(Agenda, ListsTheDaysClassesAsTheWeeksGridShowsThem) {
    const service::LoadedTimetable loaded = typical();
    struct Case {
        year_month_day date;
        std::int16_t week;
        std::vector<std::string> courses;
    };
    const std::vector<Case> cases = {
        // Tuesday of week 1: the odd-week class; in week 2 the even-week one takes the slot.
        {2010y / March / 2, 1, {"大学英语(4)", "概率论与数理统计"}},
        {2010y / March / 9, 2, {"大学物理实验", "概率论与数理统计"}},
        // Monday of week 3: 数据结构 starts in week 3, in the second block of its period.
        {2010y / March / 15, 3, {"高等数学A(2)", "数据结构"}},
        {2010y / March / 21, 3, {}}, // Sunday: nothing
        {2010y / August / 1, 22, {}},
    };
    // Formatting, the days outside the term and the failures: CalendarCommandsTest.
    for (const Case& c : cases) {
        const auto agenda = agendaOf(loaded, {}, c.date);
        ASSERT_TRUE(agenda);
        EXPECT_TRUE(agenda->inTerm);
        EXPECT_EQ(agenda->week, c.week);
        EXPECT_EQ(courses(*agenda), c.courses) << agenda->week;
    }
}

TEST(Agenda, FollowsTheClockWhenTheTermOrdersPeriodsOtherwise) {
    core::Term term;
    std::swap(term.periods[0], term.periods[3]);
    const auto agenda = agendaOf(typical(), term, 2010y / March / 2);
    ASSERT_TRUE(agenda);
    EXPECT_EQ(courses(*agenda), (std::vector<std::string>{"概率论与数理统计", "大学英语(4)"}));
}

} // namespace
} // namespace orvanto::calendar
