#include "Autostart.h"

#include <string>
// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace orvanto::platform {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValueName = L"Orvanto";

std::string failureText(LSTATUS status) {
    return "the Run key cannot be changed (error " + std::to_string(status) + ")";
}

} // namespace

std::filesystem::path autostartEntry() {
    return std::filesystem::path(L"HKEY_CURRENT_USER") / kRunKey / kValueName;
}

std::optional<std::string> enableAutostart(const std::filesystem::path& program, bool minimized) {
    std::filesystem::path native = program;
    native.make_preferred();
    const std::wstring command =
        L"\"" + native.native() + L"\"" + (minimized ? L" --minimized" : L"");
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    return status == ERROR_SUCCESS ? std::nullopt : std::optional(failureText(status));
}

std::optional<std::string> disableAutostart() {
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        return std::nullopt;
    }
    return failureText(status);
}

} // namespace orvanto::platform
