// How long reading an .xlsx timetable takes: the reader alone, and opening the
// workbook plus composing one week as the viewer does at start-up. The big
// workbook is made at bench time: cmake --build <dir> --target bench-data
#include "BenchLoops.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace orvanto;

const char* const kTypical = ORVANTO_EXAMPLE_WORKBOOK;
const char* const kBig = ORVANTO_BIG_WORKBOOK;

std::vector<std::uint8_t> fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool missing(benchmark::State& state, const std::vector<std::uint8_t>& bytes, const char* path) {
    if (!bytes.empty()) {
        return false;
    }
    state.SkipWithError(
        (std::string(path) + " missing; make it with the bench-data target").c_str());
    return true;
}

void readOnly(benchmark::State& state, const char* path) {
    const auto bytes = fileBytes(path);
    if (missing(state, bytes, path)) {
        return;
    }
    bench::timeReader(state, bytes, spreadsheet::readXlsx);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

// Start-up as the viewer does it: open the file, find m1..m6, compose week 3.
void openAndCompose(benchmark::State& state, const char* path) {
    if (!std::ifstream(path).good()) {
        state.SkipWithError(
            (std::string(path) + " missing; make it with the bench-data target").c_str());
        return;
    }
    bench::timeStartUp(state, path);
}

void BM_ReadXlsxTypical(benchmark::State& state) {
    readOnly(state, kTypical);
}
void BM_ReadXlsxBig(benchmark::State& state) {
    readOnly(state, kBig);
}
void BM_OpenAndComposeTypical(benchmark::State& state) {
    openAndCompose(state, kTypical);
}
void BM_OpenAndComposeBig(benchmark::State& state) {
    openAndCompose(state, kBig);
}

} // namespace

BENCHMARK(BM_ReadXlsxTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadXlsxBig)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndComposeTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndComposeBig)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
