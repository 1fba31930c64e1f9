// What one table gave the search for a timetable: how far the search got, and the classes and
// texts not understood of the timetable it found. The furthest step over all tables names the
// reason an import fails.
#pragma once

#include "imports/ImportedClass.h"
#include "imports/decode/SourceTable.h"
#include "imports/entries/CellLines.h"
#include "imports/entries/CellReader.h"
#include "imports/entries/ImportText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

// In the order the search gets further; a table "holds a timetable" from HoldsNoClass on.
enum class SearchStep {
    NoWeekdayNames, // no weekday header row, no list with a weekday column
    NoPeriodLabels, // weekday names, but no period labels to their left
    HoldsNoClass,   // a timetable, but none of its texts became a class
    HoldsClasses,
};

struct TableReading {
    SearchStep step = SearchStep::NoWeekdayNames;
    ImportResult found;
};

// The table's cells by the row they begin in, each row in column order: the layouts walk a
// row's cells without scanning the whole table again.
std::vector<std::vector<const SourceCell*>> cellsByRow(const SourceTable& table);

// The periods from the first of both to the last of both: rows or lines read together.
SmallPeriods joinedPeriods(const std::optional<SmallPeriods>& joined, SmallPeriods more);

// Header and label cells are short; a long text is never one, and is not read as one.
inline constexpr std::size_t kLongestHeaderText = 128;

TableReading readGridTimetables(const SourceTable& table, const CellReader& reader);
TableReading readListTimetables(const SourceTable& table);

} // namespace orvanto::imports
