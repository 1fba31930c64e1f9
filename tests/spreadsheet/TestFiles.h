// Loads test workbooks from the committed test data folder.
#pragma once

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

} // namespace orvanto::spreadsheet::testing
