// Writing an imported timetable as a workbook: a typical school export of about 40 classes
// (weekly, odd and even, irregular weeks, some over four small periods) and a few texts not
// understood. The layout alone, and the whole .xlsx written and read back into memory.
#include "imports/output/WorkbookLayout.h"
#include "imports/output/WorkbookWriter.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace orvanto;

imports::ImportResult typicalExport() {
    imports::ImportResult result;
    for (int i = 0; i < 40; ++i) {
        imports::ImportedClass c;
        c.course = "课程名称" + std::to_string(i / 2) + "（理论）";
        c.teacher = "教师" + std::to_string(i % 13) + "(副教授)";
        c.room = "第" + std::to_string(1 + i % 5) + "教学楼A" + std::to_string(100 + i * 7);
        c.weekday = i % 6;
        const int firstPeriod = 1 + (i * 3) % 11;
        c.periods = {firstPeriod, firstPeriod + (i % 7 == 0 ? 3 : 1)};
        for (int week = 1; week <= 16; ++week) {
            const bool taken = i % 4 == 1   ? week % 2 == 1
                               : i % 4 == 2 ? week % 2 == 0 && week >= 4
                               : i % 4 == 3 ? week != 5 && week != 11
                                            : true;
            c.weeks.set(static_cast<std::size_t>(week), taken);
        }
        c.sheet = "Sheet1";
        c.cell = "C" + std::to_string(4 + i);
        result.classes.push_back(std::move(c));
    }
    for (int i = 0; i < 8; ++i) {
        result.unread.push_back({"Sheet1", "J" + std::to_string(3 + i), "备注：选课人数(121)"});
    }
    result.cells = 60;
    return result;
}

void LayOutTypicalExport(benchmark::State& state) {
    const imports::ImportResult result = typicalExport();
    for (auto _ : state) {
        auto cells = imports::layOutClasses(result.classes);
        if (!cells) {
            state.SkipWithError(cells.failure().detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(LayOutTypicalExport)->Unit(benchmark::kMicrosecond);

void WriteTypicalExport(benchmark::State& state) {
    const imports::ImportResult result = typicalExport();
    for (auto _ : state) {
        auto bytes = imports::writeTimetableWorkbook(result);
        if (!bytes) {
            state.SkipWithError(bytes.failure().detail.c_str());
            return;
        }
        state.counters["bytes"] = static_cast<double>(bytes->size());
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(WriteTypicalExport)->Unit(benchmark::kMillisecond);

} // namespace
