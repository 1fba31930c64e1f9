// The size of a worksheet and how its columns are named, for both readers.
#pragma once

#include <string>

namespace orvanto::spreadsheet {

inline constexpr int kMaxRows = 1048576;  // rows 1..1048576
inline constexpr int kMaxColumns = 16384; // columns A..XFD

// 1 -> "A", 27 -> "AA"; empty for 0 or less.
inline std::string columnLetters(int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return letters;
}

// row and column 1-based: (12, 3) -> "C12".
inline std::string cellName(int row, int column) {
    return columnLetters(column) + std::to_string(row);
}

} // namespace orvanto::spreadsheet
