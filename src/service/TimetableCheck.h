// What in a timetable workbook keeps a class from showing as the student meant: week rows the
// rule reads otherwise, blocks outside the big periods, classes meeting in one slot, a workbook
// saved on another sheet; and, as a note, text in the blank row. Shared by orvanto-cli check and
// the viewer; the lines are the student's.
#pragma once

#include "Timetable.h"
#include "core/Term.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orvanto::service {

struct Finding {
    enum class Kind {
        OtherSheetShown,  // saved while a sheet other than the first worksheet was shown
        BlankRowText,     // text in row 2, which fills every slot without a class
        WeekRowNoWeek,    // a week row that admits no week of the term
        WeekRowPartly,    // a week row admitted in only some of the weeks it names
        EmptyWeekRow,     // a class block whose week row is empty
        UnreadableCell,   // an error value where the grid reads: the grid stops there
        OutsideBigPeriod, // text in rows no big period reads
        Clash,            // two classes of one slot that meet in the same weeks
        HiddenBlock,      // a class whose every week a block above it takes
    };
    Kind kind;
    std::string place; // "D9", "C12、C17", or the sheet's name for a whole sheet
    std::string line;  // "D9：{第1－16周}：全角连字符，应写作 {第1-16周}"
    // Says what the workbook does as its layout intends; nothing to fix, so it is not counted.
    bool note = false;
};

// The findings that are not notes: what the viewer counts and orvanto-cli check fails on.
std::size_t countToFix(const std::vector<Finding>& findings);

// In reading order: the sheet first, then by row and column.
std::vector<Finding> checkTimetable(const LoadedTimetable& loaded, const core::Term& term);

} // namespace orvanto::service
