// The week notations of school exports ("1-16周", "[1-3,5-16]周", "{第1-15周|单周}", "双8-12",
// "1-16(单)", full-width digits and punctuation ...) read into week sets.
#pragma once

#include "imports/ImportedClass.h"

#include <optional>
#include <string_view>

namespace orvanto::imports {

// The weeks a week text names, or nothing when the text is not a week text (then the caller
// keeps it as text not understood). The whole text must be read: "1-16周 A101" is not one.
std::optional<WeekSet> readWeekText(std::string_view text);

// Whether the code point may stand in a week text at all: a text holding any other is none.
bool isWeekTextCharacter(char32_t c);

} // namespace orvanto::imports
