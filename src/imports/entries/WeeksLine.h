// The line of a class in a timetable cell that carries its weeks, in each form exports write
// it, with what else that line names: periods, room, teacher, weekday. A cell's classes are
// found by these lines; the lines around them hold the course and the other fields.
#pragma once

#include "imports/ImportedClass.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

enum class WeeksLineForm {
    Weeks,            // "1-16周"
    WeeksRoom,        // "1-16周[1-2节]A101", "1-16周 A101"
    TeacherWeeksRoom, // "李四[1-16]周教2-301", "王五[1-3]周A432，[4]周校外"
    Bracketed,        // "(1-16,外语楼201)", the teacher on the course line
    When,             // "周一第1,2节{第1-16周}", teacher and room on the lines after
};

// Weeks with the room they are spent in: a line whose room changes with the weeks has several.
struct WeeksSegment {
    WeekSet weeks;
    std::string room; // empty when the line names none
    std::optional<SmallPeriods> periods;
};

struct WeeksLine {
    WeeksLineForm form = WeeksLineForm::Weeks;
    std::vector<WeeksSegment> segments;
    std::optional<std::string> teacher = std::nullopt; // when the line names it, even as none
    std::optional<int> weekday = std::nullopt;         // likewise
};

// Nothing when the (trimmed) line is none of the forms.
std::optional<WeeksLine> readWeeksLine(std::string_view line);

} // namespace orvanto::imports
