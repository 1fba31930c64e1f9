// A file's bytes, read-only, from a file that is known to be a regular one before a byte of it
// is read: opening a FIFO waits for a writer and a device may never end, so neither is read.
#pragma once

#include "core/Failure.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace orvanto::platform {

class MappedFile {
  public:
    // Opens path without waiting for anything and maps it. Fails with FileNotFound, NotAFile
    // (a folder), TooLarge (more than maxBytes) or CannotOpen, whose detail gives the reason in
    // English ("it is a FIFO, not a regular file"). An empty file gives no bytes.
    static core::Result<MappedFile> open(const std::filesystem::path& path,
                                         std::uint64_t maxBytes = UINT64_MAX);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> bytes() const;

  private:
    MappedFile() = default;
    void release();

    void* m_view = nullptr; // the mapping, when the system gave one
    std::size_t m_size = 0;
    std::vector<std::uint8_t> m_copy; // the bytes read instead, where a file cannot be mapped
};

} // namespace orvanto::platform
