// Fuzz target: the cells of an export's table to classes. The input is a table written as
// text: cells separated by 0x1F, rows by 0x1E, and a cell starting with 0x1D followed by two
// digits spans that many rows and columns; so the fuzzer reaches the layouts and the cell
// grammar directly instead of through a file format.
#include "Keep.h"
#include "imports/layouts/TimetableLayouts.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace orvanto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<imports::SourceCell> cells;
    int row = 0;
    int column = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != '\x1F' && text[i] != '\x1E') {
            continue;
        }
        std::string_view piece = text.substr(start, i - start);
        imports::SourceCell cell{row, column, 1, 1, {}};
        if (piece.size() >= 3 && piece[0] == '\x1D') {
            cell.rowSpan = 1 + (static_cast<unsigned char>(piece[1]) % 8);
            cell.columnSpan = 1 + (static_cast<unsigned char>(piece[2]) % 8);
            piece.remove_prefix(3);
        }
        cell.text = std::string(piece);
        cells.push_back(std::move(cell));
        if (!end && text[i] == '\x1E') {
            ++row;
            column = 0;
        } else {
            ++column;
        }
        start = i + 1;
    }
    const std::vector<imports::SourceTable> tables{imports::SourceTable("表格1", std::move(cells))};
    const auto result = imports::readTimetables(tables);
    fuzz::keep(result ? result->classes.size() + result->unread.size()
                      : result.failure().detail.size());
    return 0;
}
