// Classes laid out as a timetable workbook of ours (core/WorkbookLayout.h): the six markers,
// each class a block on its big period, week sets the week row cannot say in one range split
// into several blocks.
#pragma once

#include "core/Failure.h"
#include "imports/ImportedClass.h"

#include <span>
#include <string>
#include <vector>

namespace orvanto::imports {

struct LaidOutCell {
    int row = 0;    // 1-based sheet row
    int column = 0; // 1-based: A is 1
    std::string text;
    bool operator==(const LaidOutCell&) const = default;
};

// The cells of the timetable sheet; the blank row stays empty. Fails when the blocks would push
// the last marker below the rows the viewer searches for it.
core::Result<std::vector<LaidOutCell>> layOutClasses(std::span<const ImportedClass> classes);

} // namespace orvanto::imports
