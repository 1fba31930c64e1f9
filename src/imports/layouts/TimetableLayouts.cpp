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

// What a table's reading keeps once it is moved into the import's result.
std::size_t keptBytes(const ImportResult& found) {
    std::size_t bytes = 0;
    for (const ImportedClass& entry : found.classes) {
        bytes += sizeof(ImportedClass) + entry.course.size() + entry.teacher.size() +
                 entry.room.size() + entry.sheet.size() + entry.cell.size();
    }
    for (const auto* texts : {&found.unread, &found.details}) {
        for (const UnreadText& text : *texts) {
            bytes += sizeof(UnreadText) + text.sheet.size() + text.cell.size() + text.text.size();
        }
    }
    return bytes;
}

struct TablesRead {
    ImportResult found;
    SearchStep furthest = SearchStep::NoWeekdayNames;
};

// Every table read with one reader: what the file holds, and how far the search got; what is
// kept is charged to the budget, table by table.
core::Result<TablesRead> readTables(std::span<const SourceTable> tables, const CellReader& reader,
                                    spreadsheet::ReadBudget& budget) {
    TablesRead read;
    ImportResult& result = read.found;
    for (const SourceTable& table : tables) {
        TableReading reading = readTable(table, reader);
        read.furthest = std::max(read.furthest, reading.step);
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
        std::ranges::move(found.details, std::back_inserter(result.details));
    }
    return read;
}

} // namespace

core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          const ReadingChoice& choice) {
    spreadsheet::ReadBudget budget;
    return readTimetables(tables, budget, choice);
}

core::Result<ImportResult> readTimetables(std::span<const SourceTable> tables,
                                          spreadsheet::ReadBudget& budget,
                                          const ReadingChoice& choice) {
    // First the layouts find the class cells (read by the known forms meanwhile); then every
    // candidate dialect is scored over those cells, and the file is read again under the one
    // chosen. The first reading is let go before the second is kept: one budget serves both.
    std::vector<std::string> sample;
    SearchStep furthest = SearchStep::NoWeekdayNames;
    {
        spreadsheet::ReadBudget sampling = budget;
        auto sampled = readTables(tables, CellReader::sampling(sample), sampling);
        if (!sampled) {
            return sampled.failure();
        }
        furthest = sampled->furthest;
    }
    std::vector<DialectScore> ranked = rankDialects(sample);
    DialectScore chosen = ranked.front();
    if (choice.dialect) {
        chosen = scoreDialect(sample, *choice.dialect);
    } else if (choice.runnerUp && *choice.runnerUp + 1 < ranked.size()) {
        chosen = ranked[*choice.runnerUp + 1];
    }
    std::erase(ranked, chosen);
    auto read = readTables(tables, CellReader(chosen.dialect), budget);
    if (!read) {
        return read.failure();
    }
    ImportResult& result = read->found;
    furthest = std::max(furthest, read->furthest);
    if (result.classes.empty()) {
        return core::errors::loadFailure(core::Status::NoTimetable,
                                         reasonForNoClass(furthest, result.unread.size()));
    }
    result.term = termOfTables(tables);
    result.reading = std::move(chosen);
    result.runnersUp = std::move(ranked);
    return std::move(result);
}

} // namespace orvanto::imports
