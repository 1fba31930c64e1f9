// Reads only the shared strings that kept cells refer to, stopping after the
// highest index needed; the part's declared counts are never trusted.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"

#include <map>
#include <string>

namespace orvanto::spreadsheet {

class SharedStringsPart {
  public:
    // needed: index -> text, texts filled in by read(). Fails when an index is
    // beyond the strings the part holds.
    static core::Result<void> read(const ZipArchive& archive, const std::string& path,
                                   std::map<long long, std::string>& needed, ReadBudget& budget);
};

} // namespace orvanto::spreadsheet
