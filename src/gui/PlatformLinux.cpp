// Linux (X11 and Wayland through Qt) side of the platform layer.
#include "Platform.h"

#include <QWidget>
#include <QWindow>

namespace orvanto::gui::platform {

void setAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    QWindow* handle = window->windowHandle();
    if (!window->isVisible() || handle == nullptr) {
        // Not on screen yet: the flag takes effect when the window is first shown.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // QWidget::setWindowFlags would recreate the native window, hiding it on the way, which
    // moves it and ends a dialog's exec(). Telling the native window alone (the window manager
    // gets _NET_WM_STATE_ABOVE) changes the z-order and nothing else.
    window->overrideWindowFlags(window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
    handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

} // namespace orvanto::gui::platform
