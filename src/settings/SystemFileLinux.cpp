#include "SystemFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanto::settings::system {

// File names and settings text on Linux are UTF-8 by convention; bytes pass unchanged
// so that a path that is not valid UTF-8 still names its file.
std::optional<std::string> decodeText(std::string_view bytes) {
    return std::string(bytes);
}

std::optional<std::string> encodeText(std::string_view utf8) {
    return std::string(utf8);
}

std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::string temporary = file.string() + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return "cannot create a temporary file beside " + file.string() + ": " +
               std::strerror(errno);
    }
    auto fail = [&](const char* what) {
        std::string reason = std::string(what) + " " + temporary + ": " + std::strerror(errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::optional<std::string>(reason);
    };
    // mkstemp makes the file private; a settings file is an ordinary one.
    mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) {
        return fail("cannot set the mode of");
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return fail("cannot write");
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) {
        return fail("cannot flush");
    }
    if (::close(fd) != 0) {
        ::unlink(temporary.c_str());
        return "cannot close " + temporary + ": " + std::strerror(errno);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        std::string reason =
            "cannot rename " + temporary + " to " + file.string() + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return reason;
    }
    return std::nullopt;
}

} // namespace orvanto::settings::system
