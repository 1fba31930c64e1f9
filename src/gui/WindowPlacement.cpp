#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace orvanto::gui {

QPoint placementOf(const QRect& available, const QSize& frame) {
    if (frame.width() > available.width() || frame.height() > available.height()) {
        return available.topLeft();
    }
    QRect placed(QPoint(0, 0), frame);
    placed.moveCenter(available.center());
    return placed.topLeft();
}

void centreOnScreen(QWidget* window) {
    const QWidget* anchor = window->parentWidget() != nullptr ? window->parentWidget() : window;
    const QScreen* screen = anchor->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QSize frame = window->frameGeometry().size();
    QPoint clientOffset;
    if (frame == window->size()) {
        // Not framed yet: allow for the title bar the window manager will add. Until then the
        // position is the client area's (X11 places it with static gravity), so the client goes
        // below where the title bar is to be, or a window that fills the height loses its title
        // bar above the screen's top.
        const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frame.rheight() += titleBar;
        clientOffset = QPoint(0, titleBar);
    }
    window->move(placementOf(screen->availableGeometry(), frame) + clientOffset);
}

} // namespace orvanto::gui
