#include "AtomicReplace.h"

#include <atomic>
#include <random>
#include <string>
#include <system_error>
// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace orvanto::platform {

namespace {

// Paths in messages are UTF-8 whatever the ANSI code page: path::string() would throw on a
// name the code page cannot hold.
std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string reasonOf(const char* what, const std::filesystem::path& file, DWORD error) {
    return std::string(what) + " " + utf8(file) + ": " +
           std::system_category().message(static_cast<int>(error));
}

// The file a chain of symbolic links finally names, which need not exist yet: replacing the
// link itself would cut it from the file the user keeps elsewhere.
std::optional<std::filesystem::path> linkTarget(std::filesystem::path file,
                                                std::error_code& error) {
    constexpr int kMaxLinks = 40;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
            error.clear();
            return file;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(file, error);
        if (error) {
            return std::nullopt;
        }
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return std::nullopt;
}

// A fresh name beside file, created exclusively (CREATE_NEW) so that no other writer shares
// it; INVALID_HANDLE_VALUE with the last error set when none could be made.
HANDLE createBeside(const std::filesystem::path& file, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = file;
        temporary += L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(random()) + L"-" + std::to_wstring(counter++) + L".tmp";
        HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Writes every byte in pieces WriteFile can count, then flushes them to the disk.
bool writeAndFlush(HANDLE handle, std::string_view bytes) {
    constexpr std::size_t kPiece = 1u << 30;
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(bytes.size() < kPiece ? bytes.size() : kPiece);
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), size, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(handle) != 0;
}

bool moveOver(const std::filesystem::path& temporary, const std::filesystem::path& file) {
    return MoveFileExW(temporary.c_str(), file.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

std::optional<std::string> detail::replaceFileOrReason(const std::filesystem::path& given,
                                                       std::string_view bytes) {
    std::error_code linkError;
    const std::optional<std::filesystem::path> target = linkTarget(given, linkError);
    if (!target) {
        return "cannot follow the link " + utf8(given) + ": " + linkError.message();
    }
    const std::filesystem::path& file = *target;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "cannot replace " + utf8(file) + ": Is a directory";
    }

    std::filesystem::path temporary;
    HANDLE handle = createBeside(file, temporary);
    if (handle == INVALID_HANDLE_VALUE) {
        return reasonOf("cannot create a temporary file beside", file, GetLastError());
    }
    const bool written = writeAndFlush(handle, bytes);
    const DWORD writeError = GetLastError();
    CloseHandle(handle);
    if (!written) {
        DeleteFileW(temporary.c_str());
        return reasonOf("cannot write", temporary, writeError);
    }

    // ReplaceFileW keeps the replaced file's attributes and access rights, as a rename over
    // it would not; a new file takes those of its folder.
    if (!exists) {
        if (moveOver(temporary, file)) {
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return reasonOf("cannot replace", file, error);
    }
    if (ReplaceFileW(file.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    switch (error) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
    case ERROR_FILE_NOT_FOUND:
        // The old file is gone or renamed aside while the new contents still sit under the
        // temporary name: move them into place; if even that fails, keep them for the user.
        if (moveOver(temporary, file)) {
            return std::nullopt;
        }
        return reasonOf("cannot replace", file, GetLastError()) + " (the new contents are in " +
               utf8(temporary) + ")";
    default:
        // ERROR_UNABLE_TO_REMOVE_REPLACED and the rest leave the old file as it was.
        DeleteFileW(temporary.c_str());
        return reasonOf("cannot replace", file, error);
    }
}

} // namespace orvanto::platform
