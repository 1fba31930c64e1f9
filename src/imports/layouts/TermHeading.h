// The term an export names in its heading: "2018春季学期", "学年学期：2019-2020-2",
// "2025-2026学年第一学期". Read from the short texts at the top of its tables.
#pragma once

#include "imports/ImportedClass.h"
#include "imports/decode/SourceTable.h"

#include <optional>
#include <span>
#include <string_view>

namespace orvanto::imports {

std::optional<ExportTerm> readTermHeading(std::string_view text);

// The first heading that names a term, in the first rows of the tables in order.
std::optional<ExportTerm> termOfTables(std::span<const SourceTable> tables);

} // namespace orvanto::imports
