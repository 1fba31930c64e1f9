#include "SharedStringsPart.h"

#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "WorksheetPart.h"
#include "XmlPartParser.h"
#include "spreadsheet/LoadFailure.h"

namespace orvanto::spreadsheet {

namespace {

class SharedStringsHandler : public XmlHandler {
  public:
    SharedStringsHandler(std::map<long long, std::string>& needed, ReadBudget& budget)
        : m_needed(needed), m_next(needed.begin()), m_budget(budget) {}

    void startElement(std::string_view ns, std::string_view name, const char**) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (isItem(ns, name)) {
            m_inItem = true;
            m_text.clear();
        } else if (name == "rPh") {
            ++m_phoneticDepth;
        } else if (name == "t" && m_inItem && m_phoneticDepth == 0 && isNeeded()) {
            m_capturing = true;
        }
    }

    void endElement(std::string_view ns, std::string_view name) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "t") {
            m_capturing = false;
        } else if (name == "rPh" && m_phoneticDepth > 0) {
            --m_phoneticDepth;
        } else if (isItem(ns, name)) {
            m_inItem = false;
            if (isNeeded()) {
                m_next->second = ooxml::decodeEscapes(m_text);
                if (!m_budget.take(m_next->second.size())) {
                    fail(ReadBudget::spent());
                    return;
                }
                ++m_next;
            }
            ++m_index;
            if (m_next == m_needed.end()) {
                finish();
            }
        }
    }

    void characters(std::string_view text) override {
        if (!m_capturing) {
            return;
        }
        if (m_text.size() + text.size() > limits::kStringBytes) {
            fail(core::Status::TooLarge, "shared string " + std::to_string(m_index) +
                                             " longer than " +
                                             std::to_string(limits::kStringBytes) + " bytes");
            return;
        }
        m_text.append(text);
    }

    long long count() const { return m_index; }
    bool complete() const { return m_next == m_needed.end(); }
    long long firstMissing() const { return m_next->first; }

  private:
    static bool isItem(std::string_view ns, std::string_view name) {
        return name == "si" || (name == "sstItem" && ooxml::isPreReleaseSpreadsheetMl(ns));
    }
    bool isNeeded() const { return m_next != m_needed.end() && m_next->first == m_index; }

    std::map<long long, std::string>& m_needed;
    std::map<long long, std::string>::iterator m_next; // the lowest index still to find
    ReadBudget& m_budget;
    long long m_index = 0;
    bool m_inItem = false;
    bool m_capturing = false;
    int m_phoneticDepth = 0;
    std::string m_text;
};

} // namespace

core::Result<void> SharedStringsPart::read(const ZipArchive& archive, const std::string& path,
                                           std::map<long long, std::string>& needed,
                                           ReadBudget& budget) {
    if (needed.empty()) {
        return {};
    }
    SharedStringsHandler handler(needed, budget);
    if (auto parsed = XmlPartParser::parse(archive, path, handler); !parsed) {
        return parsed;
    }
    if (!handler.complete()) {
        return partFailure(core::Status::Damaged, path,
                           "shared string " + std::to_string(handler.firstMissing()) +
                               " is asked for but the part holds " +
                               std::to_string(handler.count()));
    }
    return {};
}

} // namespace orvanto::spreadsheet
