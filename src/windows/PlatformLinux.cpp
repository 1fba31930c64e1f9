// Linux (X11 and Wayland through Qt) side of the platform layer.
#include "windows/Platform.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace orvanto::windows::platform {

void setAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    // Changing a window flag recreates the native window and hides it, so put back where it
    // was, how big it was and whether it was shown, as the user would not expect it to move.
    const bool wasVisible = window->isVisible();
    const QPoint position = window->pos();
    const QSize size = window->size();
    const Qt::WindowStates state = window->windowState();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        window->move(position);
        window->resize(size);
        window->setWindowState(state);
        window->show();
    }
}

bool openTextFile(const QString& path) {
    // No shell in between, so blanks or quotes in the path cannot split or inject anything,
    // and no waiting: the viewer lives on its own.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

bool openWebAddress(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    if (!address.isValid() || address.isRelative()) {
        return false;
    }
    return QDesktopServices::openUrl(address);
}

} // namespace orvanto::windows::platform
