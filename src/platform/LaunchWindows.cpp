#include "Launch.h"

#include <string>
// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace orvanto::platform {

bool openTextFile(const std::filesystem::path& file) {
    // The path goes unquoted: Notepad takes everything after its own name as one file name,
    // blanks included, which is how the help text has always been opened.
    std::filesystem::path native = file;
    native.make_preferred();
    std::wstring commandLine = L"notepad.exe " + native.native();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    // Notepad runs on its own; we neither wait for it nor keep its handles.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace orvanto::platform
