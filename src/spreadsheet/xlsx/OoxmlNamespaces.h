// The namespace URIs of the package parts the xlsx reader reads, transitional, strict and
// pre-release alike; elements are matched by local name within these.
#pragma once

#include <string_view>

namespace orvanto::spreadsheet::ooxml {

// Excel 2007's pre-release builds wrote their own namespace; the parts it names differ from
// the final ones only in small ways the readers know (<sstItem> for <si>).
inline bool isPreReleaseSpreadsheetMl(std::string_view ns) {
    return ns == "http://schemas.microsoft.com/office/excel/2006/2";
}

inline bool isSpreadsheetMl(std::string_view ns) {
    return ns == "http://schemas.openxmlformats.org/spreadsheetml/2006/main" ||
           ns == "http://purl.oclc.org/ooxml/spreadsheetml/main" || isPreReleaseSpreadsheetMl(ns);
}

// r:id on <sheet> and similar references into a part's relationships.
inline bool isOfficeRelationships(std::string_view ns) {
    return ns == "http://schemas.openxmlformats.org/officeDocument/2006/relationships" ||
           ns == "http://purl.oclc.org/ooxml/officeDocument/relationships";
}

inline bool isPackageRelationships(std::string_view ns) {
    return ns == "http://schemas.openxmlformats.org/package/2006/relationships";
}

// Relationship types end in a name that is the same in every dialect, e.g.
// ".../relationships/worksheet"; the prefix differs between transitional,
// strict and Microsoft's own extensions (xlMacrosheet).
inline bool hasRelationshipType(std::string_view type, std::string_view name) {
    return type.size() > name.size() && type.ends_with(name) &&
           type[type.size() - name.size() - 1] == '/';
}

} // namespace orvanto::spreadsheet::ooxml
