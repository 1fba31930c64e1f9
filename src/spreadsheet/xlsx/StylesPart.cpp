#include "StylesPart.h"

#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "XmlPartParser.h"
#include "spreadsheet/NumberFormat.h"

#include <limits>

namespace orvanto::spreadsheet {

class StylesHandler : public XmlHandler {
  public:
    StylesHandler(StylesPart& part, ReadBudget& budget) : m_part(part), m_budget(budget) {}

    void startElement(std::string_view ns, std::string_view name,
                      const char** attributes) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "numFmt") {
            const auto id = attribute(attributes, "numFmtId");
            const auto code = attribute(attributes, "formatCode");
            const auto number = id ? ooxml::parseIndex(*id) : std::nullopt;
            // A code longer than Excel allows is no format a writer made: the cells using it
            // show as general numbers.
            if (!number || !code || code->size() > limits::kFormatCodeBytes ||
                m_part.m_formatCodes.size() >= limits::kStyles) {
                return;
            }
            if (!m_budget.take(code->size())) {
                fail(ReadBudget::spent());
                return;
            }
            m_part.m_formatCodes[*number] = std::string(*code);
        } else if (name == "cellXfs") {
            m_inCellFormats = true;
        } else if (name == "xf" && m_inCellFormats) {
            if (m_part.m_cellFormats.size() >= limits::kStyles) {
                fail(core::Status::TooLarge,
                     "more than " + std::to_string(limits::kStyles) + " cell styles");
                return;
            }
            const auto id = attribute(attributes, "numFmtId");
            m_part.m_cellFormats.push_back(id ? ooxml::parseIndex(*id).value_or(0) : 0);
        }
    }

    void endElement(std::string_view ns, std::string_view name) override {
        // Number formats come before the cell styles; nothing after them is needed.
        if (name == "cellXfs" && ooxml::isSpreadsheetMl(ns)) {
            finish();
        }
    }

  private:
    StylesPart& m_part;
    ReadBudget& m_budget;
    bool m_inCellFormats = false;
};

core::Result<StylesPart> StylesPart::read(const ZipArchive& archive, const std::string& path,
                                          ReadBudget& budget) {
    return XmlPartParser::read<StylesHandler, StylesPart>(archive, path, budget);
}

FormatKind StylesPart::formatKind(long long style) const {
    if (style < 0 || static_cast<std::size_t>(style) >= m_cellFormats.size()) {
        return FormatKind::General;
    }
    const long long id = m_cellFormats[static_cast<std::size_t>(style)];
    const auto code = m_formatCodes.find(id);
    const int builtinId = id > std::numeric_limits<int>::max() ? -1 : static_cast<int>(id);
    return classifyFormat(builtinId, code == m_formatCodes.end() ? std::string_view()
                                                                 : std::string_view(code->second));
}

} // namespace orvanto::spreadsheet
