#include "SystemFile.h"

#include <windows.h>

namespace orvanto::settings::system {

namespace {

std::optional<std::wstring> widen(std::string_view text, UINT codePage, DWORD flags) {
    if (text.empty()) {
        return std::wstring();
    }
    int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::optional<std::string> narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return std::string();
    }
    BOOL usedDefault = FALSE;
    // UTF-8 takes neither the default character nor its flag.
    BOOL* lossy = codePage == CP_UTF8 ? nullptr : &usedDefault;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, lossy);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(),
                        length, nullptr, lossy);
    return text;
}

std::string lastError(const char* what, const std::filesystem::path& file) {
    return std::string(what) + " " + file.string() + ": error " + std::to_string(GetLastError());
}

} // namespace

std::optional<std::string> decodeText(std::string_view bytes) {
    auto wide = widen(bytes, CP_ACP, MB_ERR_INVALID_CHARS);
    return wide ? narrow(*wide, CP_UTF8) : std::nullopt;
}

std::optional<std::string> encodeText(std::string_view utf8) {
    auto wide = widen(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    return wide ? narrow(*wide, CP_ACP) : std::nullopt;
}

std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temporary = file;
    temporary += L".tmp";
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return lastError("cannot create", temporary);
    }
    DWORD written = 0;
    bool ok =
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(handle);
    std::string reason = ok ? std::string() : lastError("cannot write", temporary);
    CloseHandle(handle);
    if (ok && !MoveFileExW(temporary.c_str(), file.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        reason = lastError("cannot replace", file);
        ok = false;
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return reason;
    }
    return std::nullopt;
}

} // namespace orvanto::settings::system
