// Receives the elements of one XML part as XmlPartParser streams it. Names come
// split into namespace URI and local name, so any prefix a writer chose works.
#pragma once

#include "core/Failure.h"

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
    // Fails with what the handler found wrong with the part it reads.
    const core::Result<void>& outcome() const { return m_outcome; }

    // The value of the attribute with this local name and no namespace, or of the
    // one whose namespace passes inNamespace.
    static std::optional<std::string_view> attribute(const char** attributes,
                                                     std::string_view name);
    static std::optional<std::string_view> attribute(const char** attributes, std::string_view name,
                                                     bool (*inNamespace)(std::string_view));

  protected:
    // Ends the parse early: everything the handler needs has been seen.
    void finish() { m_finished = true; }
    // Ends the parse with a load failure of the part; detail names what is wrong.
    void fail(core::Status status, std::string_view detail);
    // Ends the parse with a failure that is not about this part alone.
    void fail(core::Failure failure);

  private:
    friend class XmlPartParser;

    std::string m_part; // the part being read, set by XmlPartParser
    bool m_finished = false;
    core::Result<void> m_outcome;
};

} // namespace orvanto::spreadsheet
