#include "CodePage.h"

// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace orvanto::platform {

namespace {

std::optional<std::wstring> widen(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                            static_cast<int>(text.size()), wide.data(), length) != length) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return std::string();
    }
    BOOL usedDefault = FALSE;
    // UTF-8 takes neither the default character nor its flag.
    BOOL* lossy = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = WideCharToMultiByte(
        codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, lossy);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()),
                            text.data(), length, nullptr, lossy) != length) {
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<std::string> decodeText(std::string_view bytes) {
    auto wide = widen(bytes, CP_ACP);
    return wide ? narrow(*wide, CP_UTF8) : std::nullopt;
}

std::optional<std::string> encodeText(std::string_view utf8) {
    auto wide = widen(utf8, CP_UTF8);
    return wide ? narrow(*wide, CP_ACP) : std::nullopt;
}

} // namespace orvanto::platform
