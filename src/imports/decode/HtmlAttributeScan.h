// A pass over an HTML page before the parser sees it: libxml2 compares each attribute of a tag
// with every earlier one, so one tag with a hundred thousand attributes costs it minutes.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto::imports {

// The most attributes any one start tag of the page carries, counted as a browser tokenises
// them (quoted values may hold blanks and '>'); comments and the text of <script> and <style>
// are passed over, as the parser passes over them. Linear in the page's length.
std::size_t mostAttributesOnOneTag(std::string_view page);

} // namespace orvanto::imports
