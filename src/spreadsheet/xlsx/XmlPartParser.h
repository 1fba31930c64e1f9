// Streams one XML part of a package through expat into an XmlHandler, chunk by
// chunk as it inflates, and stops as soon as the handler has what it needs.
#pragma once

#include "XmlHandler.h"
#include "ZipArchive.h"
#include "core/Failure.h"

#include <optional>

namespace orvanto::spreadsheet {

class XmlPartParser {
  public:
    static constexpr char kNamespaceSeparator = '|';

    // Nothing on success (the whole part read or the handler finished early),
    // otherwise the load failure: a missing part, malformed XML, a DTD, a damaged
    // or oversized member, or what the handler reported.
    static std::optional<core::Failure> parse(const ZipArchive& archive, const std::string& path,
                                              XmlHandler& handler);
};

} // namespace orvanto::spreadsheet
