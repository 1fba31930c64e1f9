// What the xlsx reader needs from the workbook part (xl/workbook.xml): the sheets
// in workbook order, the sheet active at save time and the date system.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"
#include "spreadsheet/ReadBudget.h"

#include <string>
#include <vector>

namespace orvanto::spreadsheet {

class WorkbookPart {
  public:
    struct Sheet {
        std::string name;
        std::string relationshipId;
    };

    static core::Result<WorkbookPart> read(const ZipArchive& archive, const std::string& path,
                                           ReadBudget& budget);

    const std::vector<Sheet>& sheets() const { return m_sheets; }
    // workbookView/@activeTab of the first view: an index over all sheets.
    long long activeTab() const { return m_activeTab; }
    bool date1904() const { return m_date1904; }

  private:
    friend class WorkbookPartHandler;

    std::vector<Sheet> m_sheets;
    long long m_activeTab = 0;
    bool m_date1904 = false;
};

} // namespace orvanto::spreadsheet
