// Looks up strings of a BIFF8 shared string table (SST and its CONTINUE records) by index,
// decoding only the ones asked for.
#pragma once

#include "BiffRecordCursor.h"
#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvanto::spreadsheet {

class SharedStringTable {
  public:
    // Walks the table whose SST record starts at sstOffset up to the highest wanted index.
    // The declared string count is not trusted: the table ends where its records do. Each
    // string found is charged to budget before it is kept.
    static core::Result<std::unordered_map<std::uint32_t, std::string>>
    lookup(BiffRecordCursor& cursor, std::uint64_t sstOffset, std::vector<std::uint32_t> wanted,
           ReadBudget& budget);
};

} // namespace orvanto::spreadsheet
