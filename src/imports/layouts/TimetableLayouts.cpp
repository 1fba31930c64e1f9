#include "imports/layouts/TimetableLayouts.h"

#include "imports/layouts/TableReading.h"
#include "imports/layouts/TermHeading.h"

#include <algorithm>

namespace orvanto::imports {

namespace {

// A table holds one layout: its list is looked for only when no grid of it gave a class, and
// the layout that got further names the table's step.
TableReading readTable(const SourceTable& table, const CellReader& reader) {
    TableReading grid = readGridTimetables(table, reader);
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

// Every table read with one reader: what the file holds, and how far the search got.
std::pair<ImportResult, SearchStep> readTables(std::span<const SourceTable> tables,
                                               const CellReader& reader) {
    ImportResult result;
    SearchStep furthest = SearchStep::NoWeekdayNames;
    for (const SourceTable& table : tables) {
        TableReading reading = readTable(table, reader);
        furthest = std::max(furthest, reading.step);
        if (reading.step < SearchStep::HoldsNoClass) {
            continue;
        }
        auto& found = reading.found;
        result.cells += found.cells;
        std::ranges::move(found.classes, std::back_inserter(result.classes));
        std::ranges::move(found.unread, std::back_inserter(result.unread));
        std::ranges::move(found.details, std::back_inserter(result.details));
    }
    return {std::move(result), furthest};
}

} // namespace

core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          const ReadingChoice& choice) {
    // First the layouts find the class cells (read by the known forms meanwhile); then every
    // candidate dialect is scored over those cells, and the file is read again under the one
    // chosen.
    std::vector<std::string> sample;
    auto [sampled, furthest] = readTables(tables, CellReader::sampling(sample));
    std::vector<DialectScore> ranked = rankDialects(sample);
    DialectScore chosen = ranked.front();
    if (choice.dialect) {
        chosen = scoreDialect(sample, *choice.dialect);
    } else if (choice.runnerUp && *choice.runnerUp + 1 < ranked.size()) {
        chosen = ranked[*choice.runnerUp + 1];
    }
    std::erase(ranked, chosen);
    auto [result, step] = readTables(tables, CellReader(chosen.dialect));
    furthest = std::max(furthest, step);
    if (result.classes.empty()) {
        return core::errors::loadFailure(core::Status::NoTimetable,
                                         reasonForNoClass(furthest, result.unread.size()));
    }
    result.term = termOfTables(tables);
    result.reading = std::move(chosen);
    result.runnersUp = std::move(ranked);
    return result;
}

} // namespace orvanto::imports
