// Classes of an import that meet at the same time as another: the same weekday, small periods
// that overlap and at least one week in common. The preview marks them.
#pragma once

#include "imports/ImportedClass.h"

#include <cstddef>
#include <vector>

namespace orvanto::imports {

// Whether the two meet at once in some week.
bool meetTogether(const ImportedClass& a, const ImportedClass& b);

// The indices of the classes that meet together with another, in increasing order.
std::vector<std::size_t> clashingClasses(const std::vector<ImportedClass>& classes);

} // namespace orvanto::imports
