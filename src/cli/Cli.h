// orvanto-cli as a library: runs one command line, writing to the given streams, and returns
// the exit code. main() only hands it the arguments; tests run it in-process.
#pragma once

#include <chrono>
#include <ostream>
#include <span>
#include <string_view>

namespace orvanto::cli {

// args are the words after the program's name. today stands for the local date wherever a
// command defaults to "now".
int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        std::chrono::year_month_day today);

// As above, on the local date of this computer.
int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace orvanto::cli
