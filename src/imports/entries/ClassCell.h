// The text of one timetable cell read into classes: several classes per cell, separated by
// blank lines, lines of dashes or nothing, each beginning with its course line, with their
// fields in the orders real exports use.
#pragma once

#include "imports/ImportedClass.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

struct CellClass {
    std::string course;
    std::string teacher;
    std::string room;
    WeekSet weeks;
    // When the cell names the periods itself ("1-16[1-2节]A101"); else the row's periods hold.
    std::optional<SmallPeriods> periods;
    // When the cell names the weekday itself ("周一第1,2节{第1-16周}"), 0 Monday .. 6 Sunday; a
    // list's time column may hold several such lines, each for another day.
    std::optional<int> weekday = std::nullopt;

    bool operator==(const CellClass&) const = default;
};

struct CellReading {
    std::vector<CellClass> classes;
    // Lines (trimmed) that became part of no class, in the order they stand.
    std::vector<std::string> unread;
    // Lines that state a known detail and no field ("学时:48", "选课人数(121)").
    std::vector<std::string> details;
    // Of those, the texts under a course taken as its option ("体育IV" / "网球"): a reading
    // that needs fewer is the likelier.
    std::size_t options = 0;
};

// Lines are separated by line breaks, or by literal "<br>", "<br/>" or "</br>" text. With
// blankLinesPart false an empty line is mere space: the weeks lines alone part the classes.
CellReading readClassCell(std::string_view text, bool blankLinesPart = true);

} // namespace orvanto::imports
