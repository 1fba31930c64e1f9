// Fuzz target: what reading path.ini does with the file's bytes (the last line, decoded
// from the system code page), and that a path read back is written and read the same.
#include "Keep.h"
#include "platform/CodePage.h"
#include "settings/PathSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace orvanto::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view line = PathSettings::lastLine(bytes);
    // The line is a piece of the file's end and never holds a line break.
    if (line.find_first_of("\r\n") != std::string_view::npos || line.size() > bytes.size() ||
        (!line.empty() && bytes.find(line) == std::string_view::npos)) {
        std::abort();
    }
    const auto path = orvanto::platform::decodeText(line);
    if (!path) {
        return 0;
    }
    // What was read can be saved again and reads back unchanged.
    const auto encoded = orvanto::platform::encodeText(*path);
    if (!encoded) {
        std::abort();
    }
    const auto again = orvanto::platform::decodeText(*encoded);
    if (!again || *again != *path) {
        std::abort();
    }
    orvanto::fuzz::keep(path->size());
    return 0;
}
