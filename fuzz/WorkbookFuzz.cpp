// Fuzz target: the whole load and compose path the viewer takes, from the bytes of a
// workbook of either kind to the grid of a few weeks.
#include "Keep.h"
#include "service/Timetable.h"

#include <array>
#include <cstddef>
#include <cstdint>

using namespace orvanto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto loaded = service::loadTimetable(std::span<const std::uint8_t>{data, size});
    if (!loaded) {
        fuzz::keep(core::legacyMessage(loaded.failure()).size());
        return 0;
    }
    // Odd and even weeks, both ends of the term and one outside it.
    for (const std::int16_t week : std::array<std::int16_t, 5>{1, 2, 9, 22, 23}) {
        const auto grid = service::composeWeek(loaded.value(), week);
        std::size_t sum = grid.failure ? core::legacyMessage(*grid.failure).size() : 0;
        for (const auto& cell : grid.cells) {
            sum += cell.caption.size() + cell.tooltip.size();
        }
        fuzz::keep(sum);
    }
    return 0;
}
