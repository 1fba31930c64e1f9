// The one way the timetable logic reads a sheet: the text of a cell by column letter and row.
#pragma once

#include "Failure.h"

#include <string>

namespace orvanto::core {

class CellSource {
  public:
    virtual ~CellSource() = default;
    // Text of the cell at column letter + 1-based row of the active sheet, e.g. ('C', 12) is C12.
    virtual Result<std::string> cellText(char column, int row) const = 0;
};

} // namespace orvanto::core
