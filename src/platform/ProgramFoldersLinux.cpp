#include "ProgramFolders.h"

#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace orvanto::platform {

std::filesystem::path runningProgramFolder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

bool isWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
        return false;
    }
    // The effective ids decide, as they do when the file is created; a read-only mount
    // answers EROFS even to root.
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::filesystem::path userConfigFolder() {
    // As Qt reads the XDG base directories: a set XDG_CONFIG_HOME is taken as it
    // stands, otherwise ~/.config, with "/" standing in for a missing home.
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && *configHome != '\0') {
        return std::filesystem::path(configHome) / "orvanto";
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = home != nullptr && *home != '\0' ? home : "/";
    return base / ".config" / "orvanto";
}

} // namespace orvanto::platform
