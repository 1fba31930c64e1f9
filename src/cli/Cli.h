// orvanto-cli as a library: runs one command line, writing to the given streams, and returns
// the exit code. main() only hands it the arguments; tests run it in-process.
#pragma once

#include "CliLanguage.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace orvanto::cli {

// args are the words after the program's name. today stands for the local date wherever a
// command defaults to "now", and timeOfDay for the time. settingsTerm is the term.ini taken when no
// --term is given. language is the one every message is worded in.
int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        std::chrono::year_month_day today,
        std::optional<std::filesystem::path> settingsTerm = std::nullopt,
        std::chrono::minutes timeOfDay = std::chrono::minutes{0},
        Language language = Language::English);

// As above, on the local date of this computer, with the term.ini the viewer would read
// (beside this program when its folder is writable, else in the user's configuration folder),
// in the language of the locale the environment names.
int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace orvanto::cli
