#include "MappedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanto::platform {

namespace {

core::Failure cannotOpen(std::string reason) {
    return {core::Status::CannotOpen, std::move(reason)};
}

core::Failure openFailure(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {core::Status::FileNotFound};
    case EACCES:
    case EPERM:
        return cannotOpen("permission denied");
    case ENAMETOOLONG:
        return cannotOpen("the path is too long");
    case EMFILE:
    case ENFILE:
        return cannotOpen("too many files are open");
    default:
        return cannotOpen(std::strerror(error));
    }
}

// What stands at the path when it is no regular file.
core::Failure notRegular(mode_t mode) {
    if (S_ISDIR(mode)) {
        return {core::Status::NotAFile};
    }
    const char* kind = S_ISFIFO(mode)                   ? "a FIFO"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "something else";
    return cannotOpen(std::string("it is ") + kind + ", not a regular file");
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

} // namespace

core::Result<MappedFile> MappedFile::open(const std::filesystem::path& path,
                                          std::uint64_t maxBytes) {
    // O_NONBLOCK: a FIFO without a writer opens at once instead of waiting for one; fstat then
    // tells what was opened before anything is read from it.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        return openFailure(errno);
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        return cannotOpen(std::strerror(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        return notRegular(status.st_mode);
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > maxBytes) {
        return core::Failure{core::Status::TooLarge};
    }
    MappedFile file;
    if (size == 0) {
        return file;
    }
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.get(), 0);
    if (view != MAP_FAILED) {
        file.m_view = view;
        file.m_size = size;
        return file;
    }
    // Some file systems cannot map: the bytes are read instead.
    file.m_copy.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd.get(), file.m_copy.data() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return cannotOpen("its bytes cannot be read");
        }
        done += static_cast<std::size_t>(got);
    }
    return file;
}

void MappedFile::release() {
    if (m_view != nullptr) {
        ::munmap(m_view, m_size);
        m_view = nullptr;
    }
    m_size = 0;
}

} // namespace orvanto::platform
