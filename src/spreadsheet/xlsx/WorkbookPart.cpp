#include "WorkbookPart.h"

#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "XmlPartParser.h"

namespace orvanto::spreadsheet {

class WorkbookPartHandler : public XmlHandler {
  public:
    WorkbookPartHandler(WorkbookPart& part, ReadBudget& budget) : m_part(part), m_budget(budget) {}

    void startElement(std::string_view ns, std::string_view name,
                      const char** attributes) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "workbookPr") {
            const auto value = attribute(attributes, "date1904");
            m_part.m_date1904 = value && ooxml::parseBoolean(*value).value_or(false);
        } else if (name == "workbookView" && !m_seenView) {
            m_seenView = true;
            if (const auto value = attribute(attributes, "activeTab")) {
                m_part.m_activeTab = ooxml::parseIndex(*value).value_or(0);
            }
        } else if (name == "sheet") {
            if (m_part.m_sheets.size() >= limits::kSheets) {
                fail(core::Status::TooLarge,
                     "more than " + std::to_string(limits::kSheets) + " sheets");
                return;
            }
            const auto sheetName = attribute(attributes, "name");
            const auto id = attribute(attributes, "id", ooxml::isOfficeRelationships);
            const std::size_t bytes = sheetName.value_or("").size() + id.value_or("").size();
            if (sheetName.value_or("").size() > limits::kSheetNameBytes) {
                fail(core::Status::Damaged, "a sheet name longer than " +
                                                std::to_string(limits::kSheetNameBytes) + " bytes");
                return;
            }
            if (!m_budget.take(bytes)) {
                fail(ReadBudget::spent());
                return;
            }
            m_part.m_sheets.push_back(
                {std::string(sheetName.value_or("")), std::string(id.value_or(""))});
        }
    }

    void endElement(std::string_view ns, std::string_view name) override {
        // Nothing after the sheet list matters here.
        if (name == "sheets" && ooxml::isSpreadsheetMl(ns)) {
            finish();
        }
    }

  private:
    WorkbookPart& m_part;
    ReadBudget& m_budget;
    bool m_seenView = false;
};

core::Result<WorkbookPart> WorkbookPart::read(const ZipArchive& archive, const std::string& path,
                                              ReadBudget& budget) {
    return XmlPartParser::read<WorkbookPartHandler, WorkbookPart>(archive, path, budget);
}

} // namespace orvanto::spreadsheet
