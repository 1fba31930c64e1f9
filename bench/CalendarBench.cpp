// The calendar export of the example timetable over the default 22-week term: composing every
// week, grouping the classes into series and serialising them with libical; and the same from
// opening the file, as `orvanto-cli ics` does.
#include "calendar/CalendarFile.h"
#include "service/Timetable.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace {

using namespace orvanto;

const std::string kWorkbook = ORVANTO_EXAMPLE_WORKBOOK;
const std::chrono::sys_seconds kStamp{std::chrono::seconds{1'800'000'000}};

void exportOnce(benchmark::State& state, const service::LoadedTimetable& loaded) {
    auto exported = calendar::exportCalendar(loaded, {}, kStamp);
    if (!exported) {
        state.SkipWithError(exported.failure().detail.c_str());
        return;
    }
    state.counters["events"] = exported->events;
    state.counters["bytes"] = static_cast<double>(exported->text.size());
    benchmark::DoNotOptimize(exported);
}

void ExportTerm(benchmark::State& state) {
    const auto loaded = service::loadTimetable(kWorkbook);
    if (!loaded) {
        state.SkipWithError(loaded.failure().detail.c_str());
        return;
    }
    for (auto _ : state) {
        exportOnce(state, loaded.value());
    }
}
BENCHMARK(ExportTerm)->Unit(benchmark::kMillisecond);

void OpenAndExportTerm(benchmark::State& state) {
    for (auto _ : state) {
        const auto loaded = service::loadTimetable(kWorkbook);
        if (!loaded) {
            state.SkipWithError(loaded.failure().detail.c_str());
            return;
        }
        exportOnce(state, loaded.value());
    }
}
BENCHMARK(OpenAndExportTerm)->Unit(benchmark::kMillisecond);

} // namespace
