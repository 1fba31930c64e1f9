#include "WorkbookPart.h"

#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "XmlPartParser.h"

namespace orvanto::spreadsheet {

namespace {
// Excel allows far fewer; more means a damaged or hostile part.
constexpr std::size_t kMaxSheets = 65535;
} // namespace

class WorkbookPartHandler : public XmlHandler {
  public:
    explicit WorkbookPartHandler(WorkbookPart& part) : m_part(part) {}

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
            if (m_part.m_sheets.size() >= kMaxSheets) {
                fail(core::LoadStatus::TooLarge,
                     "more than " + std::to_string(kMaxSheets) + " sheets");
                return;
            }
            const auto sheetName = attribute(attributes, "name");
            const auto id = attribute(attributes, "id", ooxml::isOfficeRelationships);
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
    bool m_seenView = false;
};

core::Result<WorkbookPart> WorkbookPart::read(const ZipArchive& archive, const std::string& path) {
    return XmlPartParser::read<WorkbookPartHandler, WorkbookPart>(archive, path);
}

} // namespace orvanto::spreadsheet
