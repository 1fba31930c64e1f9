// Importing a school's export: reading the sample exports into classes (HTML in UTF-8 and in
// GBK under an .xls name, an .xlsx grid, an .xls list), and a whole `orvanto-cli import`
// process writing its workbook, as a student runs it.
#include "BenchLoops.h"
#include "imports/ExportReader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace orvanto;

const std::string kExports = ORVANTO_SOURCE_DIR "/tests/data/exports/";

void ReadExport(benchmark::State& state, const char* name) {
    for (auto _ : state) {
        auto result = imports::readExportFile(kExports + name);
        if (!result) {
            state.SkipWithError(result.failure().detail.c_str());
            return;
        }
        state.counters["classes"] = static_cast<double>(result->classes.size());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(ReadExport, html_utf8, "grid-utf8.html")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadExport, html_gbk_as_xls, "grid-gbk.xls")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadExport, xlsx_grid, "grid-big-periods.xlsx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadExport, xls_list, "list-columns-libreoffice.xls")
    ->Unit(benchmark::kMillisecond);

// A whole import of a typical export already in memory: decode, find the layout, sniff the
// dialect over every class cell, read the classes. Repeated for a median.
void ReadExportBytes(benchmark::State& state, const char* name) {
    std::ifstream in(kExports + name, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    for (auto _ : state) {
        auto result = imports::readExport(bytes);
        if (!result) {
            state.SkipWithError(result.failure().detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(ReadExportBytes, html_gbk_system, "system-classic.xls")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ReadExportBytes, xlsx_grid, "grid-big-periods.xlsx")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The whole program: start, read, lay out, write the .xlsx atomically, exit.
void ImportProcess(benchmark::State& state, const char* name) {
    const std::string out =
        (std::filesystem::temp_directory_path() / "orvanto-bench-import.xlsx").string();
    const std::string exportFile = kExports + name;
    const char* argv[] = {ORVANTO_CLI, "import", "-o", out.c_str(), exportFile.c_str(), nullptr};
    bench::timeProcess(state, argv);
    std::remove(out.c_str());
}
BENCHMARK_CAPTURE(ImportProcess, html_gbk_as_xls, "grid-gbk.xls")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ImportProcess, xlsx_grid, "grid-big-periods.xlsx")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
