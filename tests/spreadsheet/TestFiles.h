// Loads test workbooks from the committed test data folder.
#pragma once

#include "core/Failure.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orvanto::spreadsheet::testing {

// The bytes of tests/data/<relative>; empty when the file cannot be read.
inline std::vector<std::uint8_t> testDataBytes(const std::string& relative) {
    std::ifstream in(std::string(ORVANTO_TEST_DATA) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where to cut a file of size bytes: at every length up to 4 KiB, where headers and
// directories lie, then at about 150 lengths spread over the rest.
inline std::vector<std::size_t> truncationLengths(std::size_t size) {
    std::vector<std::size_t> lengths;
    const std::size_t dense = std::min<std::size_t>(size, 4096);
    for (std::size_t length = 0; length < dense; ++length) {
        lengths.push_back(length);
    }
    const std::size_t step = std::max<std::size_t>(1, (size - dense) / 150);
    for (std::size_t length = dense; length < size; length += step) {
        lengths.push_back(length);
    }
    return lengths;
}

// The first length bytes in a heap block of exactly that size, so AddressSanitizer
// reports any read past the cut (a prefix view of the whole file would hide it).
inline std::vector<std::uint8_t> truncatedCopy(const std::vector<std::uint8_t>& whole,
                                               std::size_t length) {
    return std::vector<std::uint8_t>(whole.begin(),
                                     whole.begin() + static_cast<std::ptrdiff_t>(length));
}

// A load failure as the CLI prints it: a number, a reason, one line of modest length.
inline bool isOneShortLine(const core::Failure& failure) {
    return core::isLoadFailure(failure.status) && !failure.detail.empty() &&
           failure.detail.size() <= 300 &&
           failure.detail.find_first_of("\r\n") == std::string::npos;
}

} // namespace orvanto::spreadsheet::testing
