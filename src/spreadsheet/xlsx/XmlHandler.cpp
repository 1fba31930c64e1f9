#include "XmlHandler.h"

#include "XmlPartParser.h"
#include "spreadsheet/LoadFailure.h"

namespace orvanto::spreadsheet {

void XmlHandler::fail(core::Status status, std::string_view detail) {
    fail(partFailure(status, m_part, detail));
}

void XmlHandler::fail(core::Failure failure) {
    if (m_outcome) {
        m_outcome = std::move(failure);
    }
    m_finished = true;
}

std::optional<std::string_view> XmlHandler::attribute(const char** attributes,
                                                      std::string_view name) {
    for (const char** a = attributes; a[0] != nullptr; a += 2) {
        if (name == a[0]) {
            return std::string_view(a[1]);
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> XmlHandler::attribute(const char** attributes,
                                                      std::string_view name,
                                                      bool (*inNamespace)(std::string_view)) {
    for (const char** a = attributes; a[0] != nullptr; a += 2) {
        const std::string_view full(a[0]);
        const std::size_t separator = full.rfind(XmlPartParser::kNamespaceSeparator);
        if (separator == std::string_view::npos) {
            continue;
        }
        if (full.substr(separator + 1) == name && inNamespace(full.substr(0, separator))) {
            return std::string_view(a[1]);
        }
    }
    return std::nullopt;
}

} // namespace orvanto::spreadsheet
