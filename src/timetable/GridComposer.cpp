#include "GridComposer.h"

#include "WeekFilter.h"
#include "core/Utf8.h"
#include "core/WorkbookLayout.h"

#include <algorithm>

namespace orvanto::timetable {

namespace {

using Layout = core::WorkbookLayout;

// Removes every CR LF pair in one left-to-right pass, as a plain text replace does.
std::string withoutLineBreaks(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') {
            ++i;
            continue;
        }
        out.push_back(caption[i]);
    }
    return out;
}

std::string hoverLine(const std::array<std::string, 3>& lines) {
    return lines[0] + "   " + lines[1] + "  " + lines[2];
}

std::string captionOf(const std::array<std::string, 3>& lines) {
    return lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2];
}

bool holdsText(const std::array<std::string, 3>& lines) {
    return !withoutLineBreaks(captionOf(lines)).empty();
}

// The classes of the blocks below the shown one that meet in the week as well. The grid never
// read these cells before, so one that cannot be read hides its block instead of failing the
// week: the check names it.
std::vector<OtherClass> classesBelow(const core::CellSource& sheet, char column,
                                     std::int16_t shownRow, std::int16_t nextMarkerRow,
                                     std::int16_t week, const std::array<std::string, 3>& shown) {
    std::vector<OtherClass> others;
    for (int weekRow = Layout::weekRowOf(shownRow) + Layout::kBlockRows; weekRow <= nextMarkerRow;
         weekRow += Layout::kBlockRows) {
        auto weeks = sheet.cellText(column, weekRow);
        if (!weeks || !weekRowMatches(core::toUtf16(weeks.value()), week)) {
            continue;
        }
        const int blockRow = Layout::blockRowOf(weekRow);
        OtherClass other{{}, static_cast<std::int16_t>(blockRow)};
        bool readable = true;
        const int lineRows[3] = {blockRow + Layout::kCourseOffset,
                                 blockRow + Layout::kTeacherOffset, blockRow + Layout::kRoomOffset};
        for (std::size_t k = 0; k < 3 && readable; ++k) {
            auto text = sheet.cellText(column, lineRows[k]);
            readable = static_cast<bool>(text);
            if (readable) {
                other.lines[k] = std::move(text.value());
            }
        }
        const auto listed = [&other](const OtherClass& o) { return o.lines == other.lines; };
        if (!readable || !holdsText(other.lines) || other.lines == shown ||
            std::any_of(others.begin(), others.end(), listed)) {
            continue;
        }
        others.push_back(std::move(other));
    }
    return others;
}

} // namespace

bool showsText(const GridCell& cell) {
    return !withoutLineBreaks(cell.caption).empty();
}

core::Result<MarkerRows> locateMarkers(const MarkerFinder& find) {
    MarkerRows rows{};
    for (std::size_t i = 0; i < Layout::kMarkers.size(); ++i) {
        auto row = find(Layout::kMarkers[i]);
        if (!row) {
            return row.failure();
        }
        rows[i] = row.value();
    }
    return rows;
}

GridComposition composeGrid(const core::CellSource& sheet, const MarkerRows& markers,
                            std::int16_t week) {
    GridComposition grid;
    grid.cells.reserve(kGridCells);
    for (std::size_t period = 0; period < kBigPeriods; ++period) {
        auto rows = scanWeekRows(sheet, markers[period], markers[period + 1], week);
        if (!rows) {
            grid.failure = rows.failure();
            return grid;
        }
        for (std::size_t day = 0; day < kWeekdays; ++day) {
            const char column = Layout::classColumn(static_cast<int>(day));
            GridCell cell;
            std::array<std::string, 3>& lines = cell.lines;
            const std::int16_t lineRows[3] = {rows->courseRow[day], rows->teacherRow[day],
                                              rows->roomRow[day]};
            for (int k = 0; k < 3; ++k) {
                auto text = sheet.cellText(column, lineRows[k]);
                if (!text) {
                    grid.failure = text.failure();
                    return grid;
                }
                lines[k] = std::move(text.value());
            }
            cell.caption = captionOf(lines);
            if (showsText(cell)) {
                cell.tooltip = hoverLine(lines);
            }
            // A block matched: the blank row is never a block's teacher row.
            if (lineRows[1] != Layout::kBlankRow) {
                cell.others =
                    classesBelow(sheet, column, lineRows[0], markers[period + 1], week, lines);
            }
            for (const OtherClass& other : cell.others) {
                if (!cell.tooltip.empty()) {
                    cell.tooltip += '\n';
                }
                cell.tooltip += hoverLine(other.lines);
            }
            grid.cells.push_back(std::move(cell));
        }
    }
    return grid;
}

} // namespace orvanto::timetable
