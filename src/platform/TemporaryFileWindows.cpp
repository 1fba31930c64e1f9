#include "TemporaryFile.h"

#include <system_error>
#include <windows.h>

namespace orvanto::platform {

core::Result<std::filesystem::path>
TemporaryFile::createUniqueFile(const std::filesystem::path& folder) {
    // GetTempFileNameW creates the file under a name no one else holds.
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folder.c_str(), L"orv", 0, name) == 0) {
        const std::u8string where = folder.u8string();
        return core::errors::loadFailure(
            core::Status::Io, "cannot create a temporary file in " +
                                  std::string(where.begin(), where.end()) + ": " +
                                  std::system_category().message(static_cast<int>(GetLastError())));
    }
    return std::filesystem::path(name);
}

} // namespace orvanto::platform
