// The tables of an HTML export (also one saved under an .xls name), in UTF-8 or GBK/GB18030,
// parsed with libxml2's HTML parser; rowspan and colspan become spans, <br> line breaks.
#pragma once

#include "SourceTable.h"
#include "core/Failure.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvanto::imports {

// True when the bytes look like HTML (after a BOM and blanks: "<", and a tag of HTML).
bool looksLikeHtml(std::span<const std::uint8_t> bytes);

// Every <table> of the page, in document order, named "表格1", "表格2", ...; nested tables
// are tables of their own. A page without a table fails ("no table in the HTML page").
core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes);

} // namespace orvanto::imports
