#include "Timetable.h"

#include <utility>

namespace orvanto::service {

namespace {

core::Result<LoadedTimetable> withMarkers(core::Result<spreadsheet::Workbook> workbook) {
    if (!workbook) {
        return workbook.failure();
    }
    const spreadsheet::Workbook& opened = workbook.value();
    auto markers = timetable::locateMarkers(
        [&opened](std::string_view marker) { return opened.findMarker(marker); });
    if (!markers) {
        return markers.failure();
    }
    return LoadedTimetable{std::move(workbook).value(), markers.value()};
}

} // namespace

core::Result<LoadedTimetable> loadTimetable(const std::filesystem::path& path) {
    return withMarkers(spreadsheet::Workbook::open(path));
}

core::Result<LoadedTimetable> loadTimetable(std::span<const std::uint8_t> bytes) {
    return withMarkers(spreadsheet::Workbook::fromBytes(bytes));
}

timetable::GridComposition composeWeek(const LoadedTimetable& loaded, std::int16_t week) {
    return timetable::composeGrid(loaded.workbook, loaded.markers, week);
}

} // namespace orvanto::service
