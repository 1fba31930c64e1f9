// The best guess of a text no reading explained, for the student to finish by hand: the
// pieces that say weeks, periods or a weekday taken as such, the other pieces given to course,
// teacher and room by how well each fits.
#pragma once

#include "imports/ImportedClass.h"

#include <string_view>

namespace orvanto::imports {

// A class with what the text gives; weekday 0, periods {0, 0} and no weeks where it names none.
// Tried with every separator, the cut that fills the most fields wins.
ImportedClass guessClass(std::string_view text);

} // namespace orvanto::imports
