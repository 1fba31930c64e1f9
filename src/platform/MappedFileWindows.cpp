#include "MappedFile.h"

#include <string>
#include <windows.h>

namespace orvanto::platform {

namespace {

core::Failure cannotOpen(std::string reason) {
    return {core::Status::CannotOpen, std::move(reason)};
}

core::Failure openFailure(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return {core::Status::FileNotFound};
    case ERROR_ACCESS_DENIED:
        return cannotOpen("permission denied");
    case ERROR_SHARING_VIOLATION:
        return cannotOpen("another program holds it open");
    case ERROR_FILENAME_EXCED_RANGE:
        return cannotOpen("the path is too long");
    default:
        return cannotOpen("system error " + std::to_string(error));
    }
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() {
        if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

} // namespace

core::Result<MappedFile> MappedFile::open(const std::filesystem::path& path,
                                          std::uint64_t maxBytes) {
    // Shared for every access, so the student's spreadsheet program is never locked out; a
    // folder opens too (backup semantics) and is refused by its attributes below.
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return openFailure(GetLastError());
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return cannotOpen("it is a device or a pipe, not a regular file");
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) {
        return openFailure(GetLastError());
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        return core::Failure{core::Status::NotAFile};
    }
    const std::uint64_t size =
        (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    if (size > maxBytes) {
        return core::Failure{core::Status::TooLarge};
    }
    MappedFile mapped;
    if (size == 0) {
        return mapped;
    }
    const Handle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping.get() == nullptr) {
        return openFailure(GetLastError());
    }
    // The view keeps the file open until it is unmapped; the handles go now.
    void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        return openFailure(GetLastError());
    }
    mapped.m_view = view;
    mapped.m_size = static_cast<std::size_t>(size);
    return mapped;
}

void MappedFile::release() {
    if (m_view != nullptr) {
        UnmapViewOfFile(m_view);
        m_view = nullptr;
    }
    m_size = 0;
}

} // namespace orvanto::platform
