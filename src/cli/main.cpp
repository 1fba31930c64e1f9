// orvanto-cli: prints a teaching week's timetable grid as a table or JSON.
#include "cli/Cli.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return orvanto::cli::run(args, std::cout, std::cerr);
}
