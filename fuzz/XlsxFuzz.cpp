// Fuzz target: the .xlsx reader on arbitrary bytes.
#include "CellsDigest.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto cells = orvanto::spreadsheet::readXlsx({data, size});
    orvanto::fuzz::keep(cells ? orvanto::fuzz::digest(*cells) : cells.failure().detail.size());
    return 0;
}
