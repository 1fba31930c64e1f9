// The built-in functions a BIFF5/BIFF8 formula calls by number, with the name Excel shows.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvanto::spreadsheet {

inline constexpr int kVariableArguments = -1;
// The index that calls a function by name: an add-in, a macro or a newer function, whose
// name is the call's first operand.
inline constexpr std::uint16_t kFunctionByName = 255;

struct BiffFunction {
    std::uint16_t index = 0;
    std::string_view name;
    int arguments = 0; // kVariableArguments when the call token carries the count
};

// The function of that index, nothing for an index no version of Excel uses.
const BiffFunction* findBiffFunction(std::uint16_t index);

} // namespace orvanto::spreadsheet
