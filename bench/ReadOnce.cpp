// Opens one workbook and composes one week, once: run under /usr/bin/time -v to
// see the peak memory of a start-up. Exit status 0 when the grid was composed.
#include "service/Timetable.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace orvanto;
    if (argc != 2) {
        std::fprintf(stderr, "usage: read-once WORKBOOK\n");
        return 2;
    }
    const auto loaded = service::loadTimetable(argv[1]);
    if (!loaded) {
        std::fprintf(stderr, "read-once: %s\n", loaded.failure().detail.c_str());
        return 1;
    }
    const auto grid = service::composeWeek(loaded.value(), 3);
    std::printf("%zu cells composed\n", grid.cells.size());
    return grid.failure ? 1 : 0;
}
