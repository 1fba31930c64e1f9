// Opens one workbook and composes one week, once: run under /usr/bin/time -v to
// see the peak memory of a start-up. Exit status 0 when the grid was composed.
#include "spreadsheet/Workbook.h"
#include "timetable/GridComposer.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace orvanto;
    if (argc != 2) {
        std::fprintf(stderr, "usage: read-once WORKBOOK\n");
        return 2;
    }
    auto workbook = spreadsheet::Workbook::open(argv[1]);
    if (!workbook) {
        std::fprintf(stderr, "read-once: %s\n", workbook.failure().description.c_str());
        return 1;
    }
    timetable::MarkerRows rows{};
    const auto find = [&](std::string_view marker) { return workbook->findMarker(marker); };
    if (auto failure = timetable::locateMarkers(find, rows)) {
        std::fprintf(stderr, "read-once: %s\n", failure->description.c_str());
        return 1;
    }
    const auto grid = timetable::main(*workbook, rows, 3);
    std::printf("%zu cells composed\n", grid.cells.size());
    return grid.failure ? 1 : 0;
}
