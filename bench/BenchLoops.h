// The timed loops the reader benches share: one reader on bytes in memory, and the
// viewer's start-up (open the file, find m1..m6, compose week 3).
#pragma once

#include "spreadsheet/Workbook.h"
#include "timetable/GridComposer.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace orvanto::bench {

template <class Reader>
void timeReader(benchmark::State& state, const std::vector<std::uint8_t>& bytes, Reader read) {
    for (auto _ : state) {
        auto cells = read(bytes);
        if (!cells) {
            state.SkipWithError(cells.failure().description.c_str());
            return;
        }
        benchmark::DoNotOptimize(cells);
    }
}

inline void timeStartUp(benchmark::State& state, const char* path) {
    for (auto _ : state) {
        auto workbook = spreadsheet::Workbook::open(path);
        if (!workbook) {
            state.SkipWithError(workbook.failure().description.c_str());
            return;
        }
        timetable::MarkerRows rows{};
        const auto find = [&](std::string_view marker) { return workbook->findMarker(marker); };
        if (auto failure = timetable::locateMarkers(find, rows)) {
            state.SkipWithError(failure->description.c_str());
            return;
        }
        auto grid = timetable::main(*workbook, rows, 3);
        benchmark::DoNotOptimize(grid);
    }
}

} // namespace orvanto::bench
