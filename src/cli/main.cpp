// orvanto-cli: prints a teaching week's timetable grid as a table or JSON.
#include "cli/CheckedOutput.h"
#include "cli/Cli.h"

#include <iostream>
#include <string_view>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    // Standard output through a buffer that keeps the reason of a failed write.
    orvanto::cli::CheckedOutput checked(STDOUT_FILENO);
    std::ostream out(&checked);
    return orvanto::cli::run(args, out, std::cerr);
}
