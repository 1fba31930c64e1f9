#include "TableReading.h"

#include <algorithm>

namespace orvanto::imports {

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::string_view trimmedText(std::string_view text) {
    for (;;) {
        if (!text.empty() && isAsciiBlank(text.front())) {
            text.remove_prefix(1);
        } else if (text.starts_with(kIdeographicSpace)) {
            text.remove_prefix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    for (;;) {
        if (!text.empty() && isAsciiBlank(text.back())) {
            text.remove_suffix(1);
        } else if (text.ends_with(kIdeographicSpace)) {
            text.remove_suffix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    return text;
}

std::vector<std::vector<const SourceCell*>> cellsByRow(const SourceTable& table) {
    std::vector<std::vector<const SourceCell*>> rows(static_cast<std::size_t>(table.rowCount()));
    for (const SourceCell& cell : table.cells()) {
        rows[static_cast<std::size_t>(cell.row)].push_back(&cell);
    }
    for (auto& row : rows) {
        std::ranges::sort(row, {}, &SourceCell::column);
    }
    return rows;
}

} // namespace orvanto::imports
