// The next class, as a status bar asks for it every minute: found in the schedule already open
// (early in the term, and at its end, where every remaining day is looked at and none is
// left), and a whole `orvanto-cli next` process beside one that only starts and exits.
#include "BenchLoops.h"
#include "service/Schedule.h"
#include "service/UpcomingClasses.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace orvanto;
using namespace std::chrono;

constexpr year_month_day kMonday{year{2010}, month{3}, day{1}};

void NextClass(benchmark::State& state, local_seconds now) {
    service::Schedule schedule({[] { return kMonday; }, [] { return sys_seconds{}; }});
    schedule.open({}, {.file = ORVANTO_EXAMPLE_WORKBOOK});
    if (!schedule.hasTimetable()) {
        state.SkipWithError("the example workbook cannot be loaded");
        return;
    }
    for (auto _ : state) {
        auto next = service::nextClass(schedule, now);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK_CAPTURE(NextClass, week_1_evening, local_days{kMonday} + hours{21})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NextClass, sunday_night, local_days{kMonday} + days{6} + hours{23})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NextClass, last_day_none_left, local_days{kMonday} + weeks{22} - hours{1})
    ->Unit(benchmark::kMicrosecond);

// The whole program: start, read the term and the workbook, find the class, print, exit.
void NextProcess(benchmark::State& state, const char* date) {
    const char* argv[] = {ORVANTO_CLI, "next",  "--date", date,
                          "--time",    "12:00", "--json", ORVANTO_EXAMPLE_WORKBOOK,
                          nullptr};
    bench::timeProcess(state, argv);
}
BENCHMARK_CAPTURE(NextProcess, in_term, "2010-03-10")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(NextProcess, none_left, "2010-07-31")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same start and exit with nothing read: what of a process's time is the system's.
void VersionProcess(benchmark::State& state) {
    const char* argv[] = {ORVANTO_CLI, "--version", nullptr};
    bench::timeProcess(state, argv);
}
BENCHMARK(VersionProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
