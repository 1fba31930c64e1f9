#include "AtomicReplace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanto::platform {

namespace {

std::string reasonOf(const std::string& what, const std::filesystem::path& file, int error) {
    return what + " " + file.string() + ": " + std::strerror(error);
}

// Writes every byte, resuming after signals and short writes. Returns errno on failure.
int writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

// The file a chain of symbolic links finally names, which need not exist yet: replacing the
// link itself would cut it from the file the user keeps elsewhere.
std::optional<std::filesystem::path> linkTarget(std::filesystem::path file, int& error) {
    // The kernel's own limit on links followed while resolving one path.
    constexpr int kMaxLinks = 40;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return file;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(file.c_str(), target.data(), target.size());
        if (length < 0) {
            error = errno;
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(length));
        const std::filesystem::path next(target);
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    error = ELOOP;
    return std::nullopt;
}

// A FIFO, a terminal or another device takes the bytes as they are: renaming a regular
// file over it would put a file where the reader or the device was.
std::optional<std::string> writeInto(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return reasonOf("cannot open", file, errno);
    }
    if (const int error = writeAll(fd, bytes)) {
        ::close(fd);
        return reasonOf("cannot write", file, error);
    }
    if (::close(fd) != 0) {
        return reasonOf("cannot close", file, errno);
    }
    return std::nullopt;
}

// A fresh name beside file, created exclusively so that no other writer shares it. Created
// with mode; the process umask applies as for any new file.
int createBeside(const std::filesystem::path& file, mode_t mode, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x%04x", random(), counter++ & 0xffffu);
        temporary = file.string() + suffix;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

void syncFolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The new contents are in place already; a folder that cannot be synced (some
        // network file systems) only makes the rename less durable across a power cut.
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<std::string> detail::replaceFileOrReason(const std::filesystem::path& given,
                                                       std::string_view bytes) {
    int linkError = 0;
    const std::optional<std::filesystem::path> target = linkTarget(given, linkError);
    if (!target) {
        return reasonOf("cannot follow the link", given, linkError);
    }
    const std::filesystem::path& file = *target;
    struct stat existing {};
    const bool exists = ::stat(file.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return reasonOf("cannot replace", file, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return writeInto(file, bytes);
    }

    // A replaced file keeps its permissions (and, where allowed, its owner); a new one gets
    // those of any new file, so the umask is honoured without being changed.
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
    std::string temporary;
    const int fd = createBeside(file, mode, temporary);
    if (fd < 0) {
        return "cannot create a temporary file beside " + file.string() + ": " +
               std::strerror(errno);
    }
    auto fail = [&](const char* what, int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::optional<std::string>(reasonOf(what, temporary, error));
    };
    if (exists) {
        // Owner first: changing it may clear set-id bits the mode then puts back. Only root
        // may give a file away; anyone else's new file stays their own.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 && errno != EPERM) {
            return fail("cannot set the owner of", errno);
        }
        if (::fchmod(fd, mode) != 0) {
            return fail("cannot set the mode of", errno);
        }
    }
    if (const int error = writeAll(fd, bytes)) {
        return fail("cannot write", error);
    }
    if (::fsync(fd) != 0) {
        return fail("cannot flush", errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return reasonOf("cannot close", temporary, error);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        std::string reason =
            "cannot rename " + temporary + " to " + file.string() + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return reason;
    }
    syncFolderOf(file);
    return std::nullopt;
}

} // namespace orvanto::platform
