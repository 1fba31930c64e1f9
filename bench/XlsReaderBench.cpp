// How long reading an .xls timetable takes: the reader alone, and opening the workbook plus
// composing one week as the viewer does at start-up. The typical timetable is a committed
// sample; the big one (the timetable followed by 60,000 rows, and two more sheets of 60,000
// rows, all ten columns wide) is written by this program into the build dir on first run.
#include "BenchLoops.h"
#include "XlsFileBuilder.h"
#include "core/Utf8.h"
#include "spreadsheet/xls/XlsReader.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace orvanto;
using namespace orvanto::spreadsheet::testing;

const char* const kTypical = ORVANTO_TYPICAL_XLS;
const char* const kBig = ORVANTO_BIG_XLS;
constexpr unsigned kRows = 60000;
constexpr unsigned kColumns = 10;
constexpr unsigned kSheets = 3;
constexpr std::size_t kMaxRecord = 8224;

Bytes fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Shared strings as writers lay them out: strings kept whole, a CONTINUE when one does not fit.
class SstWriter {
  public:
    std::uint32_t add(const std::u16string& text) {
        Payload one;
        one.string8(text);
        const Bytes& bytes = one.get();
        if (m_current.size() + bytes.size() > kMaxRecord) {
            flush();
        }
        m_current.insert(m_current.end(), bytes.begin(), bytes.end());
        return m_count++;
    }
    Bytes records() {
        flush();
        Bytes out;
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            Payload p;
            if (i == 0) {
                p.u32(m_count).u32(m_count);
            }
            p.bytes(m_pieces[i]);
            const Bytes r = record(i == 0 ? 0x00FC : 0x003C, p.take());
            out.insert(out.end(), r.begin(), r.end());
        }
        return out;
    }

  private:
    void flush() {
        if (!m_current.empty()) {
            m_pieces.push_back(std::move(m_current));
            m_current.clear();
        }
    }
    std::vector<Bytes> m_pieces;
    Bytes m_current;
    std::uint32_t m_count = 0;
};

std::u16string utf16(const std::string& utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        out.push_back(static_cast<char16_t>(core::decodeUtf8(utf8, i)));
    }
    return out;
}

void append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// The kept cells of the typical timetable, as the big workbook's first rows.
void appendTimetable(Bytes& sheet, SstWriter& strings, const spreadsheet::WorkbookCells& cells) {
    auto put = [&](unsigned row, unsigned column, const spreadsheet::CellValue& v) {
        if (v.kind == spreadsheet::CellValue::Kind::String) {
            append(sheet, labelSstRecord(row, column, strings.add(utf16(v.text))));
        } else if (v.kind == spreadsheet::CellValue::Kind::Number) {
            append(sheet, numberRecord(row, column, v.number));
        }
    };
    for (unsigned row = 0; row < 60; ++row) {
        put(row, 1, cells.markerColumn[row]);
        for (unsigned c = 0; c < spreadsheet::WorkbookCells::kGridColumns; ++c) {
            put(row, 2 + c, cells.grid[row][c]);
        }
    }
}

void appendFiller(Bytes& sheet, SstWriter& strings, unsigned sheetIndex, unsigned firstRow) {
    for (unsigned row = firstRow; row < kRows; ++row) {
        for (unsigned column = 0; column < kColumns; ++column) {
            if (column % 3 == 0) {
                append(sheet, numberRecord(row, column, row * 0.25 + column));
            } else {
                const std::string text = "s" + std::to_string(sheetIndex) + " r" +
                                         std::to_string(row) + " c" + std::to_string(column);
                append(sheet, labelSstRecord(row, column, strings.add(utf16(text))));
            }
        }
    }
}

bool makeBig(benchmark::State& state) {
    if (std::filesystem::exists(kBig)) {
        return true;
    }
    auto typical = spreadsheet::readXls(fileBytes(kTypical));
    if (!typical) {
        state.SkipWithError(("cannot read " + std::string(kTypical)).c_str());
        return false;
    }
    SstWriter strings;
    std::vector<SheetContent> sheets(kSheets);
    appendTimetable(sheets[0].records, strings, *typical);
    for (unsigned i = 0; i < kSheets; ++i) {
        appendFiller(sheets[i].records, strings, i, i == 0 ? 60 : 0);
    }
    const Bytes stream = workbookStream(strings.records(), sheets);
    const Bytes file = oleFile({{u"Workbook", stream}}, nullptr, 4096);
    std::filesystem::create_directories(std::filesystem::path(kBig).parent_path());
    std::ofstream(kBig, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    return true;
}

void readOnly(benchmark::State& state, const char* path) {
    if (!makeBig(state)) {
        return;
    }
    const auto bytes = fileBytes(path);
    bench::timeReader(state, bytes, spreadsheet::readXls);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// Start-up as the viewer does it: open the file, find m1..m6, compose week 3.
void openAndCompose(benchmark::State& state, const char* path) {
    if (!makeBig(state)) {
        return;
    }
    bench::timeStartUp(state, path);
}

void BM_ReadXlsTypical(benchmark::State& state) {
    readOnly(state, kTypical);
}
void BM_ReadXlsBig(benchmark::State& state) {
    readOnly(state, kBig);
}
void BM_OpenAndComposeXlsTypical(benchmark::State& state) {
    openAndCompose(state, kTypical);
}
void BM_OpenAndComposeXlsBig(benchmark::State& state) {
    openAndCompose(state, kBig);
}

} // namespace

BENCHMARK(BM_ReadXlsTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadXlsBig)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndComposeXlsTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndComposeXlsBig)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
