// The grid composition: the 35 captions and hover texts of one teaching week,
// and the marker rows that bound the five big periods.
#pragma once

#include "core/CellSource.h"
#include "core/Term.h"
#include "core/Weekdays.h"
#include "core/WorkbookLayout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::timetable {

using core::kBigPeriods;
using core::kWeekdays;
inline constexpr int kGridCells = kBigPeriods * kWeekdays;

// The rows of the six markers; big period P lies between rows[P] and rows[P + 1].
using MarkerRows = std::array<std::int16_t, core::WorkbookLayout::kMarkers.size()>;

using MarkerFinder = std::function<core::Result<std::int16_t>(std::string_view marker)>;

// Finds the six markers in order; the first marker not found is the failure.
[[nodiscard]] core::Result<MarkerRows> locateMarkers(const MarkerFinder& find);

inline int cellIndex(int bigPeriod, int weekday) {
    return kWeekdays * bigPeriod + weekday;
}

// A class that meets in the week too but lies under the block the cell shows.
struct OtherClass {
    std::array<std::string, 3> lines; // course, teacher, room
    std::int16_t row = 0;             // the block's first row
    bool operator==(const OtherClass&) const = default;
};

struct GridCell {
    std::string caption; // t1 CR LF t2 CR LF t3
    // t1 + 3 blanks + t2 + 2 blanks + t3, or empty; then one line (LF) for each other class.
    std::string tooltip;
    // t1, t2, t3 as read: a text may hold CR LF itself, so the caption cannot be split back.
    std::array<std::string, 3> lines;
    // Classes of lower blocks that meet this week as well, top to bottom; a block that repeats
    // a class already listed, holds no text or cannot be read is none.
    std::vector<OtherClass> others{};
    bool operator==(const GridCell&) const = default;
};

// Whether the caption holds more than line breaks: the class (or blank-row text) shown.
[[nodiscard]] bool showsText(const GridCell& cell);

struct GridComposition {
    // In index order; fewer than 35 when a failure stopped the composition.
    std::vector<GridCell> cells;
    std::optional<core::Failure> failure;
};

[[nodiscard]] GridComposition composeGrid(const core::CellSource& sheet, const MarkerRows& markers,
                                          std::int16_t week);

// A sheet whose six markers were found: what the grid of any week is composed from.
struct MarkedSheet {
    const core::CellSource& sheet;
    MarkerRows markers;
};

[[nodiscard]] inline GridComposition composeGrid(const MarkedSheet& marked, std::int16_t week) {
    return composeGrid(marked.sheet, marked.markers, week);
}

} // namespace orvanto::timetable
