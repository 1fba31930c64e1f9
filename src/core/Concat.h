// Joins pieces of text into one string with a single allocation. Also the way round GCC 12's
// false -Wrestrict on "literal" + a temporary string in optimised builds (GCC bug 105329).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace orvanto::core {

inline std::string concat(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces) {
        size += piece.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

} // namespace orvanto::core
