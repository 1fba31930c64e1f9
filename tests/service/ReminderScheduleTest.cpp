// The reminders of a whole term, driven minute by minute by an injected clock: each class is
// reminded once, at its time, only in the weeks the grid shows it, and never late after a sleep.
#include "service/ReminderSchedule.h"

#include "imports/ImportedClass.h"
#include "imports/output/WorkbookWriter.h"
#include "service/Schedule.h"
#include "service/UpcomingClasses.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvanto::service {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr year_month_day kFirstMonday = 2026y / March / 2;
constexpr int kWeeks = 6;

imports::WeekSet weekSet(std::initializer_list<int> list) {
    imports::WeekSet set;
    for (int w : list) {
        set.set(static_cast<std::size_t>(w));
    }
    return set;
}

imports::ImportedClass lesson(const char* course, int weekday, int firstSmall, int lastSmall,
                              imports::WeekSet set) {
    return {course, "老师", "教1-101", weekday, {firstSmall, lastSmall}, set, "", ""};
}

// A term's worth of classes: a double period, odd and even weeks sharing a slot, a range of
// weeks, two classes that the term's times put at the same moment, and one class twice a day.
const std::vector<imports::ImportedClass> kClasses = {
    lesson("高等数学", 0, 1, 4, weekSet({1, 2, 3, 4, 5, 6})),
    lesson("大学英语", 1, 5, 6, weekSet({1, 3, 5})),
    lesson("物理实验", 1, 5, 6, weekSet({2, 4, 6})),
    lesson("数据结构", 2, 7, 8, weekSet({2, 3, 4})),
    lesson("线性代数", 3, 5, 6, weekSet({1, 2, 3, 4, 5, 6})),
    lesson("体育", 3, 7, 8, weekSet({1, 2, 3, 4, 5, 6})),
    lesson("程序设计", 4, 1, 2, weekSet({1, 2, 3, 4, 5, 6})),
    lesson("程序设计", 4, 5, 6, weekSet({1, 2, 3, 4, 5, 6})),
};

// Period 4 starts with period 3: 线性代数 and 体育 meet at the same time on Thursdays.
const std::string kSameTimeTerm = "[term]\nstart=2026-03-02\nweeks=6\n[periods]\n4=14:00-15:40\n";

struct Delivered {
    local_seconds at;
    std::string course;
    year_month_day date;
    bool operator==(const Delivered&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Delivered& d) {
    return os << d.at.time_since_epoch().count() << "s " << d.course << " day "
              << local_days{d.date}.time_since_epoch().count();
}

local_seconds at(year_month_day date, int hour, int minute) {
    return local_days{date} + hours{hour} + minutes{minute};
}

// weekday 0 is Monday.
year_month_day dayOf(int week, int weekday) {
    return year_month_day{local_days{kFirstMonday} + days{7 * (week - 1) + weekday}};
}

// Each class's reminders over the term, spelled out from what the workbook says.
struct Expected {
    const char* course;
    int weekday;
    std::vector<int> weeks;
    int hour, minute; // when the reminder falls due
    int dayShift = 0; // -1: on the evening before
};

void sortByTime(std::vector<Delivered>& list) {
    std::sort(list.begin(), list.end(), [](const Delivered& a, const Delivered& b) {
        return std::tie(a.at, a.course) < std::tie(b.at, b.course);
    });
}

std::vector<Delivered> expand(const std::vector<Expected>& list) {
    std::vector<Delivered> out;
    for (const Expected& e : list) {
        for (int week : e.weeks) {
            const year_month_day date = dayOf(week, e.weekday);
            out.push_back({local_days{date} + days{e.dayShift} + hours{e.hour} + minutes{e.minute},
                           e.course, date});
        }
    }
    sortByTime(out);
    return out;
}

const std::vector<int> kAllWeeks = {1, 2, 3, 4, 5, 6};

class TermOfReminders : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvanto-reminder-term-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
        imports::ImportResult result;
        result.classes = kClasses;
        const auto bytes = imports::writeTimetableWorkbook(result);
        ASSERT_TRUE(bytes);
        std::ofstream(m_dir / "课表.xlsx", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()),
                   static_cast<std::streamsize>(bytes->size()));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void writeTerm(const std::string& text) { std::ofstream(m_dir / "term.ini") << text; }
    void open() {
        m_schedule.open({.file = m_dir / "term.ini"}, {.file = m_dir / "课表.xlsx"});
        ASSERT_TRUE(m_schedule.hasTimetable());
    }

    struct Run {
        minutes lead{10};
        std::string term{kSameTimeTerm};
        // The machine sleeps from the first to the second time: no tick in between.
        std::vector<std::pair<local_seconds, local_seconds>> sleeps{};
        // At that time term.ini becomes the text and the viewer opens the schedule again.
        std::vector<std::pair<local_seconds, std::string>> termChanges{};
    };

    // Ticks every minute from the Saturday before the term to the Monday after it.
    std::vector<Delivered> drive(const Run& run) {
        writeTerm(run.term);
        open();
        ReminderSchedule reminders(
            [&](year_month_day today) { return remindersAround(m_schedule, today, run.lead); });
        // Every whole minute the machine is awake, and the moment it wakes.
        std::vector<local_seconds> ticks;
        const local_seconds start = local_days{kFirstMonday} - days{2};
        const local_seconds end = local_days{kFirstMonday} + weeks{kWeeks} + days{1};
        for (local_seconds minute = start; minute < end; minute += minutes{1}) {
            if (std::none_of(run.sleeps.begin(), run.sleeps.end(), [minute](const auto& sleep) {
                    return minute > sleep.first && minute < sleep.second;
                })) {
                ticks.push_back(minute);
            }
        }
        for (const auto& sleep : run.sleeps) {
            ticks.push_back(sleep.second);
        }
        std::sort(ticks.begin(), ticks.end());
        ticks.erase(std::unique(ticks.begin(), ticks.end()), ticks.end());
        std::vector<Delivered> delivered;
        reminders.replan(start);
        auto change = run.termChanges.begin();
        for (const local_seconds now : ticks) {
            if (change != run.termChanges.end() && now >= change->first) {
                writeTerm(change->second);
                open();
                reminders.replan(now);
                ++change;
            }
            for (const ClassReminder& r : reminders.tick(now)) {
                delivered.push_back({now, r.meeting.course, r.meeting.date});
            }
        }
        // Two reminders of one moment may come in either order.
        sortByTime(delivered);
        return delivered;
    }

    fs::path m_dir;
    Schedule m_schedule{{[] { return kFirstMonday; }, [] { return sys_seconds{}; }}};
};

// With a lead of ten minutes every class is reminded once, in the weeks it meets only.
std::vector<Expected> tenMinutesBefore() {
    return {
        {"高等数学", 0, kAllWeeks, 7, 50},  // a double period: once
        {"大学英语", 1, {1, 3, 5}, 13, 50}, // odd weeks
        {"物理实验", 1, {2, 4, 6}, 13, 50}, // even weeks, same slot
        {"数据结构", 2, {2, 3, 4}, 13, 50}, // a range of weeks, in period 4
        {"线性代数", 3, kAllWeeks, 13, 50}, // two classes at the same time: once each
        {"体育", 3, kAllWeeks, 13, 50},
        {"程序设计", 4, kAllWeeks, 7, 50}, // the same class twice a day, not consecutive
        {"程序设计", 4, kAllWeeks, 13, 50},
    };
}

TEST_F(TermOfReminders, EachClassOnceAtItsTimeInTheWeeksItMeets) {
    EXPECT_EQ(drive({}), expand(tenMinutesBefore()));
}

TEST_F(TermOfReminders, ALeadOfNothingRemindsAtTheStart) {
    auto expected = tenMinutesBefore();
    for (Expected& e : expected) {
        e.minute = 0;
        e.hour += 1;
    }
    EXPECT_EQ(drive({.lead = minutes{0}}), expand(expected));
}

// A first period at 01:00 with a two-hour lead: reminded at 23:00 the evening before, also on
// the Sunday before the term, and not again after midnight.
TEST_F(TermOfReminders, ALeadOverMidnightRemindsTheEveningBefore) {
    const std::vector<Delivered> delivered =
        drive({.lead = minutes{120}, .term = kSameTimeTerm + "1=01:00-02:40\n"});
    const std::vector<Delivered> expected = expand({
        {"高等数学", 0, kAllWeeks, 23, 0, -1},
        {"大学英语", 1, {1, 3, 5}, 12, 0},
        {"物理实验", 1, {2, 4, 6}, 12, 0},
        {"数据结构", 2, {2, 3, 4}, 12, 0},
        {"线性代数", 3, kAllWeeks, 12, 0},
        {"体育", 3, kAllWeeks, 12, 0},
        {"程序设计", 4, kAllWeeks, 23, 0, -1},
        {"程序设计", 4, kAllWeeks, 12, 0},
    });
    EXPECT_EQ(delivered, expected);
    EXPECT_EQ(delivered.front().at, at(2026y / March / 1, 23, 0));
}

struct SleepCase {
    const char* name;
    int wakeHour, wakeMinute, wakeSecond;
    bool shown; // the 13:50 reminder of 大学英语 in week 1
};

class SleepAcrossAReminder : public TermOfReminders,
                             public ::testing::WithParamInterface<SleepCase> {};

// Asleep from 13:30 over the reminder due at 13:50: shown on waking up to two minutes late,
// dropped after that, and never shown later.
TEST_P(SleepAcrossAReminder, IsShownOnlyUpToTwoMinutesLate) {
    const SleepCase& c = GetParam();
    const year_month_day tuesday = dayOf(1, 1);
    const local_seconds wake = at(tuesday, c.wakeHour, c.wakeMinute) + seconds{c.wakeSecond};
    const std::vector<Delivered> delivered = drive({.sleeps = {{at(tuesday, 13, 30), wake}}});
    std::vector<Delivered> expected = expand(tenMinutesBefore());
    const auto english = std::find_if(expected.begin(), expected.end(), [&](const Delivered& d) {
        return d.course == "大学英语" && d.date == tuesday;
    });
    ASSERT_NE(english, expected.end());
    if (c.shown) {
        english->at = wake;
    } else {
        expected.erase(english);
    }
    EXPECT_EQ(delivered, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SleepAcrossAReminder,
                         ::testing::Values(SleepCase{"OneMinuteLate", 13, 51, 0, true},
                                           SleepCase{"TwoMinutesLate", 13, 52, 0, true},
                                           SleepCase{"JustOverTwoMinutes", 13, 52, 1, false},
                                           SleepCase{"AnHourLate", 14, 50, 0, false},
                                           SleepCase{"PastMidnight", 25, 0, 0, false}),
                         [](const auto& param) { return std::string(param.param.name); });

// term.ini changed during the day: a reminder not yet due moves with its class; one already
// shown is not shown again.
TEST_F(TermOfReminders, ATermChangedMidDayMovesWhatIsStillToCome) {
    const year_month_day thursday = dayOf(2, 3);
    const year_month_day monday = dayOf(3, 0);
    const std::string later = kSameTimeTerm + "3=15:00-16:40\n";
    const std::vector<Delivered> delivered =
        drive({.termChanges = {{at(thursday, 10, 0), later},
                               {at(monday, 7, 55), later + "1=08:30-10:10\n"}}});
    std::vector<Delivered> expected;
    for (Delivered d : expand(tenMinutesBefore())) {
        const bool afterFirstChange = d.at >= at(thursday, 10, 0);
        if (afterFirstChange && d.at.time_since_epoch() % days{1} == hours{13} + minutes{50} &&
            d.course != "体育" && d.course != "数据结构") {
            d.at += hours{1}; // period 3 now starts at 15:00
        }
        if (d.at > at(monday, 7, 55) &&
            d.at.time_since_epoch() % days{1} == hours{7} + minutes{50}) {
            d.at += minutes{30}; // period 1 now at 08:30; this Monday's was shown at 07:50
        }
        expected.push_back(d);
    }
    sortByTime(expected);
    EXPECT_EQ(delivered, expected);
}

TEST_F(TermOfReminders, NextClassCountsAClassUnderWayUntilItEnds) {
    writeTerm(kSameTimeTerm);
    open();
    struct Case {
        local_seconds now;
        std::optional<std::string> course;
        year_month_day date;
        int start, end;
    };
    const year_month_day monday = dayOf(1, 0);
    const std::vector<Case> cases = {
        {at(2026y / January / 1, 9, 0), "高等数学", monday, 8 * 60, 11 * 60 + 40},
        {at(monday, 11, 39), "高等数学", monday, 8 * 60, 11 * 60 + 40}, // double period
        {at(monday, 11, 40), "大学英语", dayOf(1, 1), 14 * 60, 15 * 60 + 40},
        {at(dayOf(1, 2), 0, 0), "线性代数", dayOf(1, 3), 14 * 60, 15 * 60 + 40}, // no Wed in week 1
        {at(dayOf(6, 4), 15, 40), std::nullopt, {}, 0, 0},
        {at(2030y / January / 1, 0, 0), std::nullopt, {}, 0, 0},
    };
    for (const Case& c : cases) {
        const auto next = nextClass(m_schedule, c.now);
        ASSERT_TRUE(next);
        ASSERT_EQ(next->has_value(), c.course.has_value()) << c.now.time_since_epoch().count();
        if (c.course) {
            EXPECT_EQ((*next)->course, *c.course);
            EXPECT_EQ((*next)->date, c.date);
            EXPECT_EQ((*next)->time, (core::PeriodTime{c.start, c.end}));
        }
    }
}

} // namespace
} // namespace orvanto::service
