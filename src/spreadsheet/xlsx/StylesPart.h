// The number format of each cell style (cellXfs) of the styles part, as the
// format kind that decides how a number becomes text.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"
#include "spreadsheet/CellValue.h"
#include "spreadsheet/ReadBudget.h"

#include <map>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {

class StylesPart {
  public:
    static core::Result<StylesPart> read(const ZipArchive& archive, const std::string& path,
                                         ReadBudget& budget);

    // The format kind of cell style index style; General for an index the part
    // does not define.
    FormatKind formatKind(long long style) const;

  private:
    friend class StylesHandler;

    std::map<long long, std::string> m_formatCodes; // numFmtId -> formatCode
    std::vector<long long> m_cellFormats;           // cellXfs index -> numFmtId
};

} // namespace orvanto::spreadsheet
