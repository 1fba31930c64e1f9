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
    if (frame == window->size()) {
        // Not framed yet: allow for the title bar the window manager will add.
        frame.rheight() += window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    }
    window->move(placementOf(screen->availableGeometry(), frame));
}

} // namespace orvanto::gui
