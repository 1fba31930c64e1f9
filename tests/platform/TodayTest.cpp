// Today's local date: the C library's local time, checked at the day's boundaries in fixed
// zones and against date(1) in zones far east and west of UTC.
#include "platform/Today.h"

#include "ScopedVariable.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace std::chrono;
using orvanto::platform::localTime;
using orvanto::platform::localToday;

namespace {

// The C library reads TZ again on tzset(), which localtime_r itself need not call.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) : m_variable("TZ", std::string(zone)) { ::tzset(); }
    ~TimeZone() {
        m_variable.restore();
        ::tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

  private:
    orvanto::testing::ScopedVariable m_variable;
};

struct BoundaryCase {
    const char* zone; // POSIX form, so no time zone database is needed
    std::time_t time;
    int year, month, day, hour;
};

TEST(LocalTime, BreaksATimeIntoTheZonesFields) {
    const std::array<BoundaryCase, 6> cases{{
        {"UTC0", 0, 1970, 1, 1, 0},
        {"<+14>-14", 0, 1970, 1, 1, 14},
        {"<+14>-14", 10 * 3600 - 1, 1970, 1, 1, 23},
        {"<+14>-14", 10 * 3600, 1970, 1, 2, 0},
        {"<-11>11", 11 * 3600 - 1, 1969, 12, 31, 23},
        // 2024-02-29 16:00 UTC is midnight of 1 March in China.
        {"CST-8", 1709222400, 2024, 3, 1, 0},
    }};
    for (const BoundaryCase& c : cases) {
        const TimeZone zone(c.zone);
        const std::tm local = localTime(c.time);
        EXPECT_EQ(local.tm_year + 1900, c.year) << c.zone << " " << c.time;
        EXPECT_EQ(local.tm_mon + 1, c.month) << c.zone << " " << c.time;
        EXPECT_EQ(local.tm_mday, c.day) << c.zone << " " << c.time;
        EXPECT_EQ(local.tm_hour, c.hour) << c.zone << " " << c.time;
    }
}

// What date(1) says today is, as year_month_day.
std::optional<year_month_day> dateCommandToday() {
    FILE* pipe = ::popen("date +%Y-%m-%d", "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    int y = 0;
    unsigned m = 0;
    unsigned d = 0;
    const int fields = std::fscanf(pipe, "%d-%u-%u", &y, &m, &d);
    ::pclose(pipe);
    if (fields != 3) {
        return std::nullopt;
    }
    return year{y} / month{m} / day{d};
}

TEST(LocalToday, AgreesWithTheDateCommandFarEastAndWestOfUtc) {
    // Fourteen hours east and eleven west: at every moment at least one of them is on
    // another day than UTC, so a date taken in UTC cannot pass.
    for (const char* name : {"<+14>-14", "<-11>11", "UTC0", "CST-8"}) {
        const TimeZone zone(name);
        // Around midnight the two readings may straddle it: a second try settles that.
        std::optional<year_month_day> expected;
        year_month_day got{};
        for (int attempt = 0; attempt < 2; ++attempt) {
            got = localToday();
            expected = dateCommandToday();
            if (expected == got) {
                break;
            }
        }
        ASSERT_TRUE(expected.has_value()) << "date(1) did not answer";
        EXPECT_EQ(got, *expected) << name;
    }
}

} // namespace
