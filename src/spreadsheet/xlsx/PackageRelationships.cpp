#include "PackageRelationships.h"

#include "OoxmlNamespaces.h"
#include "XmlPartParser.h"

namespace orvanto::spreadsheet {

namespace {

class RelationshipsHandler : public XmlHandler {
  public:
    RelationshipsHandler(std::string_view sourcePart,
                         std::vector<PackageRelationships::Relationship>& out)
        : m_sourcePart(sourcePart), m_out(out) {}

    void startElement(std::string_view ns, std::string_view name,
                      const char** attributes) override {
        if (name != "Relationship" || !ooxml::isPackageRelationships(ns)) {
            return;
        }
        const auto mode = attribute(attributes, "TargetMode");
        if (mode && *mode == "External") {
            return;
        }
        const auto id = attribute(attributes, "Id");
        const auto type = attribute(attributes, "Type");
        const auto target = attribute(attributes, "Target");
        if (id && type && target) {
            m_out.push_back({std::string(*id), std::string(*type),
                             PackageRelationships::resolveTarget(m_sourcePart, *target)});
        }
    }
    void endElement(std::string_view, std::string_view) override {}

  private:
    std::string_view m_sourcePart;
    std::vector<PackageRelationships::Relationship>& m_out;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string PackageRelationships::resolveTarget(std::string_view sourcePart,
                                                std::string_view target) {
    std::string path;
    if (!target.empty() && target.front() == '/') {
        target.remove_prefix(1);
    } else {
        const std::size_t slash = sourcePart.rfind('/');
        if (slash != std::string_view::npos) {
            path = std::string(sourcePart.substr(0, slash + 1));
        }
    }
    path += percentDecoded(target);

    std::vector<std::string_view> segments;
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
    }
    std::string resolved;
    for (const auto segment : segments) {
        if (!resolved.empty()) {
            resolved += '/';
        }
        resolved += segment;
    }
    return resolved;
}

core::Result<PackageRelationships> PackageRelationships::read(const ZipArchive& archive,
                                                              std::string_view sourcePart) {
    PackageRelationships result;
    const std::size_t slash = sourcePart.rfind('/');
    if (slash == std::string_view::npos) {
        result.m_partPath = "_rels/" + std::string(sourcePart) + ".rels";
    } else {
        result.m_partPath = std::string(sourcePart.substr(0, slash)) + "/_rels/" +
                            std::string(sourcePart.substr(slash + 1)) + ".rels";
    }
    if (!archive.contains(result.m_partPath)) {
        return result;
    }
    RelationshipsHandler handler(sourcePart, result.m_relationships);
    if (auto failure = XmlPartParser::parse(archive, result.m_partPath, handler)) {
        return *failure;
    }
    return result;
}

const PackageRelationships::Relationship* PackageRelationships::byId(std::string_view id) const {
    for (const auto& relationship : m_relationships) {
        if (relationship.id == id) {
            return &relationship;
        }
    }
    return nullptr;
}

const PackageRelationships::Relationship*
PackageRelationships::byType(std::string_view typeName) const {
    for (const auto& relationship : m_relationships) {
        if (ooxml::hasRelationshipType(relationship.type, typeName)) {
            return &relationship;
        }
    }
    return nullptr;
}

} // namespace orvanto::spreadsheet
