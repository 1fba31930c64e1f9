// Open + compose and the week switch on the example timetable, the two things a user
// waits for. ORVANTO_BENCH_WORKBOOK names another workbook (e.g. the big one).
#include "spreadsheet/Workbook.h"
#include "timetable/GridComposer.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace {

using namespace orvanto;

std::string workbookPath() {
    if (const char* path = std::getenv("ORVANTO_BENCH_WORKBOOK"); path != nullptr && *path) {
        return path;
    }
    return ORVANTO_SOURCE_DIR "/examples/timetable.xlsx";
}

// Opens the workbook and finds m1..m6, as the viewer does at start; on failure the
// benchmark is skipped with the reason and nothing is returned.
std::optional<std::pair<spreadsheet::Workbook, timetable::MarkerRows>>
openWithMarkers(benchmark::State& state, const std::string& path) {
    auto workbook = spreadsheet::Workbook::open(path);
    if (!workbook) {
        state.SkipWithError(
            ("cannot open " + path + ": " + workbook.failure().description).c_str());
        return std::nullopt;
    }
    timetable::MarkerRows rows{};
    if (const auto missing = timetable::locateMarkers(
            [&](std::string_view marker) { return workbook->findMarker(marker); }, rows)) {
        state.SkipWithError(missing->description.c_str());
        return std::nullopt;
    }
    return std::pair{std::move(*workbook), rows};
}

// What the viewer does at start: read the workbook, find m1..m6, compose the week.
void OpenAndCompose(benchmark::State& state) {
    const std::string path = workbookPath();
    for (auto _ : state) {
        const auto opened = openWithMarkers(state, path);
        if (!opened) {
            return;
        }
        auto grid = timetable::main(opened->first, opened->second, 3);
        benchmark::DoNotOptimize(grid);
    }
    state.SetLabel(path);
}
BENCHMARK(OpenAndCompose)->Unit(benchmark::kMillisecond);

// A week query: the workbook stays open, only `main` runs again for another week.
void WeekSwitch(benchmark::State& state) {
    const auto opened = openWithMarkers(state, workbookPath());
    if (!opened) {
        return;
    }
    std::int16_t week = 1;
    for (auto _ : state) {
        auto grid = timetable::main(opened->first, opened->second, week);
        benchmark::DoNotOptimize(grid);
        week = static_cast<std::int16_t>(week % 22 + 1);
    }
}
BENCHMARK(WeekSwitch)->Unit(benchmark::kMicrosecond);

} // namespace
