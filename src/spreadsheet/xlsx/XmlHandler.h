// Receives the elements of one XML part as XmlPartParser streams it. Names come
// split into namespace URI and local name, so any prefix a writer chose works.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

class XmlHandler {
  public:
    virtual ~XmlHandler() = default;

    // attributes: expat's null-terminated list of name/value pairs; names of
    // namespaced attributes read "URI|local".
    virtual void startElement(std::string_view ns, std::string_view name,
                              const char** attributes) = 0;
    virtual void endElement(std::string_view ns, std::string_view name) = 0;
    virtual void characters(std::string_view) {}

    bool finished() const { return m_finished; }
    const std::optional<std::string>& error() const { return m_error; }

    // The value of the attribute with this local name and no namespace, or of the
    // one whose namespace passes inNamespace.
    static std::optional<std::string_view> attribute(const char** attributes,
                                                     std::string_view name);
    static std::optional<std::string_view> attribute(const char** attributes, std::string_view name,
                                                     bool (*inNamespace)(std::string_view));

  protected:
    // Ends the parse early: everything the handler needs has been seen.
    void finish() { m_finished = true; }
    // Ends the parse with a load failure; the reason names what is wrong.
    void fail(std::string reason) {
        if (!m_error) {
            m_error = std::move(reason);
        }
        m_finished = true;
    }

  private:
    bool m_finished = false;
    std::optional<std::string> m_error;
};

} // namespace orvanto::spreadsheet
