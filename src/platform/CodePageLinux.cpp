#include "CodePage.h"

namespace orvanto::platform {

// File names and settings text on Linux are UTF-8 by convention; bytes pass unchanged
// so that a path that is not valid UTF-8 still names its file.
std::optional<std::string> decodeText(std::string_view bytes) {
    return std::string(bytes);
}

std::optional<std::string> encodeText(std::string_view utf8) {
    return std::string(utf8);
}

} // namespace orvanto::platform
