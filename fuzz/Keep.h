// Keeps a value alive past the optimiser, so a fuzz target's work cannot be dropped.
#pragma once

#include <cstddef>

namespace orvanto::fuzz {

// Keeps a value alive past the optimiser.
inline void keep(std::size_t value) {
    static volatile std::size_t sink = 0;
    sink = sink + value;
}

} // namespace orvanto::fuzz
