// Streams one XML part of a package through expat into an XmlHandler, chunk by
// chunk as it inflates, and stops as soon as the handler has what it needs.
#pragma once

#include "XmlHandler.h"
#include "ZipArchive.h"
#include "core/Failure.h"

#include <string>
#include <utility>

namespace orvanto::spreadsheet {

class XmlPartParser {
  public:
    static constexpr char kNamespaceSeparator = '|';

    // Success when the whole part was read or the handler finished early, otherwise the
    // load failure: a missing part, malformed XML, a DTD, a damaged or oversized member,
    // or what the handler reported.
    static core::Result<void> parse(const ZipArchive& archive, const std::string& path,
                                    XmlHandler& handler);

    // Reads one part into a Value through a Handler built from (value, args...).
    template <class Handler, class Value, class... Args>
    static core::Result<Value> read(const ZipArchive& archive, const std::string& path,
                                    Args&&... args) {
        Value value;
        Handler handler(value, std::forward<Args>(args)...);
        auto parsed = parse(archive, path, handler);
        if (!parsed) {
            return parsed.failure();
        }
        return value;
    }
};

} // namespace orvanto::spreadsheet
