// The one place where both readers word a load failure. The status is what callers and
// tests decide by; the description is for a developer or the CLI: one short line, naming
// where the fault is (a part, a stream, a record) and what was found there.
#pragma once

#include "core/Failure.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

// where: the part, stream or record at fault ("xl/workbook.xml", "the workbook stream");
// detail: what was found, already quoted where it echoes file content.
core::Failure loadFailure(core::Status status, std::string_view where = {},
                          std::string_view detail = {});

// The same for a failure of one package part: the part's path is its subject, so a
// message for the user can name it.
core::Failure partFailure(core::Status status, std::string_view part, std::string_view detail = {});

// The text kept of a file would be more than limits::kKeptBytes.
core::Failure tooMuchKeptText();

// A value from the file for a message: in quotes, at most kMaxQuoted characters, control
// characters escaped, so one bad cell can never make a long or multi-line message.
inline constexpr std::size_t kMaxQuoted = 40;
std::string quoted(std::string_view value);
// A name from the file (a sheet's) for a one-line message: control characters escaped as
// quoted() does, no quotes, as long as a part name in a description may be.
std::string escapedName(std::string_view name);

} // namespace orvanto::spreadsheet
