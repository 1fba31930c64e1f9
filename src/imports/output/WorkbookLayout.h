// Classes laid out as a timetable workbook of ours: the six markers in column B, each class a
// five-row block (course, week row, teacher, room, empty) on its big period, week sets the
// week row cannot say in one range split into several blocks.
#pragma once

#include "core/Failure.h"
#include "imports/ImportedClass.h"

#include <span>
#include <string>
#include <vector>

namespace orvanto::imports {

struct LaidOutCell {
    int row = 0;    // 1-based sheet row
    int column = 0; // 1-based: B is 2, C (Monday) is 3 ... I (Sunday) is 9
    std::string text;
    bool operator==(const LaidOutCell&) const = default;
};

// The cells of the timetable sheet; row 2 stays empty. Fails when the blocks would push the
// last marker below row 200, where the viewer no longer finds it.
core::Result<std::vector<LaidOutCell>> layOutClasses(std::span<const ImportedClass> classes);

} // namespace orvanto::imports
