// The timed loops the reader benches share: one reader on bytes in memory, and the
// viewer's start-up (open the file, find m1..m6, compose week 3).
#pragma once

#include "service/Timetable.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace orvanto::bench {

template <class Reader>
void timeReader(benchmark::State& state, const std::vector<std::uint8_t>& bytes, Reader read) {
    for (auto _ : state) {
        auto cells = read(bytes);
        if (!cells) {
            state.SkipWithError(cells.failure().detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(cells);
    }
}

inline void timeStartUp(benchmark::State& state, const char* path) {
    for (auto _ : state) {
        const auto loaded = service::loadTimetable(path);
        if (!loaded) {
            state.SkipWithError(loaded.failure().detail.c_str());
            return;
        }
        auto grid = service::composeWeek(loaded.value(), 3);
        benchmark::DoNotOptimize(grid);
    }
}

} // namespace orvanto::bench
