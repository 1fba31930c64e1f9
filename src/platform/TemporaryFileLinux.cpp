#include "TemporaryFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace orvanto::platform {

core::Result<std::filesystem::path>
TemporaryFile::createUniqueFile(const std::filesystem::path& folder) {
    // mkstemp creates the file, readable by its owner only, under a name no one else holds.
    std::string name = (folder / "orvanto-import-XXXXXX").string();
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        return core::errors::loadFailure(core::Status::Io, "cannot create a temporary file in " +
                                                               folder.string() + ": " +
                                                               std::strerror(errno));
    }
    ::close(descriptor);
    return std::filesystem::path(name);
}

} // namespace orvanto::platform
