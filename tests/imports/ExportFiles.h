// A generated timetable sheet (texts with their spans) written as a school's system writes it:
// .xlsx through libxlsxwriter, .xls as BIFF8 records in an OLE2 file, or an HTML table in UTF-8
// or GBK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvanto::importtests {

struct SheetCell {
    int row = 0;
    int column = 0;
    std::string text; // lines parted by "\n"
    int rowSpan = 1;
    int columnSpan = 1;
};

using Bytes = std::vector<std::uint8_t>;

Bytes xlsxOf(const std::vector<SheetCell>& cells);
Bytes xlsOf(const std::vector<SheetCell>& cells);
// brForm picks how a line break is written inside a cell: <br>, <br/>, <br />.
Bytes htmlOf(const std::vector<SheetCell>& cells, bool gbk, int brForm);

} // namespace orvanto::importtests
