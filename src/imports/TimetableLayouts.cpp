#include "TimetableLayouts.h"

#include "TableReading.h"

#include <algorithm>

namespace orvanto::imports {

namespace {

// A table holds one layout: its list is looked for only when no grid of it gave a class, and
// the layout that got further names the table's step.
TableReading readTable(const SourceTable& table) {
    TableReading grid = readGridTimetables(table);
    if (grid.step == SearchStep::HoldsClasses) {
        return grid;
    }
    TableReading list = readListTimetables(table);
    return list.step > grid.step ? list : grid;
}

std::string reasonForNoClass(SearchStep furthest, std::size_t unreadTexts) {
    switch (furthest) {
    case SearchStep::NoWeekdayNames:
        return "no row or column of weekday names found";
    case SearchStep::NoPeriodLabels:
        return "no period labels found beside the weekday names";
    case SearchStep::HoldsNoClass:
    case SearchStep::HoldsClasses:
        break;
    }
    if (unreadTexts == 0) {
        return "the timetable holds no class";
    }
    if (unreadTexts == 1) {
        return "the timetable holds no class: its one text could not be read as a class";
    }
    return "the timetable holds no class: none of its " + std::to_string(unreadTexts) +
           " texts could be read as a class";
}

// What a table's reading keeps once it is moved into the import's result.
std::size_t keptBytes(const ImportResult& found) {
    std::size_t bytes = 0;
    for (const ImportedClass& entry : found.classes) {
        bytes += sizeof(ImportedClass) + entry.course.size() + entry.teacher.size() +
                 entry.room.size() + entry.sheet.size() + entry.cell.size();
    }
    for (const UnreadText& text : found.unread) {
        bytes += sizeof(UnreadText) + text.sheet.size() + text.cell.size() + text.text.size();
    }
    return bytes;
}

} // namespace

core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables) {
    spreadsheet::ReadBudget budget;
    return readTimetables(tables, budget);
}

core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          spreadsheet::ReadBudget& budget) {
    ImportResult result;
    SearchStep furthest = SearchStep::NoWeekdayNames;
    for (const SourceTable& table : tables) {
        TableReading reading = readTable(table);
        furthest = std::max(furthest, reading.step);
        if (reading.step < SearchStep::HoldsNoClass) {
            continue;
        }
        auto& found = reading.found;
        if (!budget.take(keptBytes(found))) {
            return spreadsheet::ReadBudget::spent();
        }
        result.cells += found.cells;
        std::ranges::move(found.classes, std::back_inserter(result.classes));
        std::ranges::move(found.unread, std::back_inserter(result.unread));
    }
    if (result.classes.empty()) {
        return core::errors::loadFailure(core::Status::NoTimetable,
                                         reasonForNoClass(furthest, result.unread.size()));
    }
    return result;
}

} // namespace orvanto::imports
