// Windows side of the window layer: user32 for the z-order.
#include "Platform.h"

#include <QWidget>
// Keep windows.h from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

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

} // namespace orvanto::gui::platform
