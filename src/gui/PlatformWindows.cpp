// Windows side of the platform layer: user32 for the z-order, a command line for Notepad,
// the shell for the browser.
#include "Platform.h"

#include <QDir>
#include <QWidget>
#include <string>
// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace orvanto::gui::platform {

void setAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr) {
        return;
    }
    if (!window->isVisible()) {
        // Before the first show Qt creates the native window from its flags; setting the flag
        // keeps Qt's idea of the window and the real one the same.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // On a shown window this changes the z-order alone, without recreating or moving it.
    SetWindowPos(reinterpret_cast<HWND>(window->winId()), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool openTextFile(const QString& path) {
    // The path goes unquoted: Notepad takes everything after its own name as one file name,
    // blanks included, which is how the help text has always been opened.
    std::wstring commandLine = L"notepad.exe " + QDir::toNativeSeparators(path).toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    // Notepad runs on its own; we neither wait for it nor keep its handles.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool openWebAddress(const QString& url) {
    const std::wstring address = url.toStdWString();
    const HINSTANCE result =
        ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecute reports success as a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace orvanto::gui::platform
