// Fuzz target: the .xls reader on arbitrary bytes.
#include "CellsDigest.h"
#include "spreadsheet/xls/XlsReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto cells = orvanto::spreadsheet::readXls({data, size});
    orvanto::fuzz::keep(cells ? orvanto::fuzz::digest(*cells) : cells.failure().detail.size());
    return 0;
}
