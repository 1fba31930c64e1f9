// The relationships of one package part (its _rels/*.rels part): which parts it
// refers to, by id and by type, with targets resolved to part paths.
#pragma once

#include "ZipArchive.h"
#include "core/Failure.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::spreadsheet {

class PackageRelationships {
  public:
    struct Relationship {
        std::string id;
        std::string type;
        std::string target; // the part path inside the zip, e.g. "xl/worksheets/sheet1.xml"
    };

    // Reads the relationships of sourcePart ("" for the package itself). A part
    // without a relationships part has none.
    static core::Result<PackageRelationships> read(const ZipArchive& archive,
                                                   std::string_view sourcePart);

    const Relationship* byId(std::string_view id) const;
    // The first relationship whose type ends in "/" + typeName, e.g. "sharedStrings".
    const Relationship* byType(std::string_view typeName) const;
    const std::string& partPath() const { return m_partPath; }

    // A relationship target resolved against the folder of sourcePart: absolute
    // targets start at the package root; "." and ".." are folded; %XX decoded.
    static std::string resolveTarget(std::string_view sourcePart, std::string_view target);

  private:
    std::string m_partPath;
    std::vector<Relationship> m_relationships;
};

} // namespace orvanto::spreadsheet
