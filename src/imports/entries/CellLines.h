// A cell's text as lines: line breaks and the literal "<br>" forms some exports leave in their
// texts part them; blank lines and lines of dashes part the classes of a cell.
#pragma once

#include "imports/ImportedClass.h"

#include <optional>
#include <string_view>
#include <vector>

namespace orvanto::imports {

// The lines, each trimmed of blanks; empty lines are kept. Lines end at LF, CR LF, CR and at a
// literal "<br>", "<br/>", "<br />" or "</br>" in any case.
std::vector<std::string_view> linesOf(std::string_view text);

// "-----", "——", "───", "=====", "*****": parts the classes of a cell as a blank line does.
bool isDashLine(std::string_view line);

// "第1-2节", "3-4节", "第一大节": a line of periods alone, with its 节, so that "12" stays a room.
std::optional<SmallPeriods> periodsLine(std::string_view line);

} // namespace orvanto::imports
