// Open + compose and the week switch on the example timetable, the two things a user
// waits for. ORVANTO_BENCH_WORKBOOK names another workbook (e.g. the big one).
#include "BenchLoops.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace orvanto;

std::string workbookPath() {
    if (const char* path = std::getenv("ORVANTO_BENCH_WORKBOOK"); path != nullptr && *path) {
        return path;
    }
    return ORVANTO_SOURCE_DIR "/examples/timetable.xlsx";
}

// Reads the workbook and finds m1..m6 once; on failure the benchmark is skipped with the
// reason and nothing is returned.
std::optional<service::LoadedTimetable> loadOrSkip(benchmark::State& state,
                                                   const std::string& path) {
    auto loaded = service::loadTimetable(path);
    if (!loaded) {
        state.SkipWithError(("cannot open " + path + ": " + loaded.failure().detail).c_str());
        return std::nullopt;
    }
    return std::move(loaded).value();
}

// What the viewer does at start: read the workbook, find m1..m6, compose the week.
void OpenAndCompose(benchmark::State& state) {
    const std::string path = workbookPath();
    bench::timeStartUp(state, path.c_str());
    state.SetLabel(path);
}
BENCHMARK(OpenAndCompose)->Unit(benchmark::kMillisecond);

// A week query: the workbook stays open, only the composition runs again for another week.
void WeekSwitch(benchmark::State& state) {
    const auto loaded = loadOrSkip(state, workbookPath());
    if (!loaded) {
        return;
    }
    std::int16_t week = 1;
    for (auto _ : state) {
        auto grid = service::composeWeek(*loaded, week);
        benchmark::DoNotOptimize(grid);
        week = static_cast<std::int16_t>(week % 22 + 1);
    }
}
BENCHMARK(WeekSwitch)->Unit(benchmark::kMicrosecond);

} // namespace
