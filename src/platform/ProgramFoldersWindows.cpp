#include "ProgramFolders.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <string>
#include <windows.h>

namespace orvanto::platform {

std::filesystem::path runningProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

bool isWritableFolder(const std::filesystem::path& folder) {
    // Access rights on Windows are lists the attributes do not show (Program Files is not
    // read-only, yet only administrators write there): try a file that deletes itself.
    std::filesystem::path probe = folder;
    probe /= L"orvanto-write-test-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
}

std::filesystem::path userConfigFolder() {
    // Qt's application config location on Windows: the local application data folder.
    PWSTR folder = nullptr;
    std::filesystem::path result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder))) {
        result = std::filesystem::path(folder) / L"orvanto";
    }
    CoTaskMemFree(folder);
    return result;
}

} // namespace orvanto::platform
