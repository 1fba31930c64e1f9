#include "GridComposer.h"

#include "WeekFilter.h"

namespace orvanto::timetable {

namespace {

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

} // namespace

core::Result<MarkerRows> locateMarkers(const MarkerFinder& find) {
    MarkerRows rows{};
    for (std::size_t i = 0; i < kMarkers.size(); ++i) {
        auto row = find(kMarkers[i]);
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
            const char column = static_cast<char>('C' + day);
            GridCell cell;
            std::array<std::string, 3>& lines = cell.lines;
            const std::int16_t lineRows[3] = {rows->line1row[day], rows->line2row[day],
                                              rows->line3row[day]};
            for (int k = 0; k < 3; ++k) {
                auto text = sheet.cellText(column, lineRows[k]);
                if (!text) {
                    grid.failure = text.failure();
                    return grid;
                }
                lines[k] = std::move(text.value());
            }
            cell.caption = lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2];
            if (!withoutLineBreaks(cell.caption).empty()) {
                cell.tooltip = lines[0] + "   " + lines[1] + "  " + lines[2];
            }
            grid.cells.push_back(std::move(cell));
        }
    }
    return grid;
}

} // namespace orvanto::timetable
