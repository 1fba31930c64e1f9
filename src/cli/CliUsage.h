// The usage orvanto-cli prints for --help, whole or for one command, in either language.
#pragma once

#include "CliLanguage.h"

#include <string>
#include <string_view>

namespace orvanto::cli {

// The whole usage, its exit codes drawn from the exit-code table.
std::string usageText(Language language);

// The parts of the usage that concern one command: its synopsis lines, its paragraph, the
// term options when it takes them, and the exit codes.
std::string commandUsage(Language language, std::string_view command, bool takesTerm);

} // namespace orvanto::cli
