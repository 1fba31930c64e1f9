// The desktop's own notification service: org.freedesktop.Notifications over the session bus
// on Linux; none on Windows, where the tray's message is the system's notification.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace orvanto::gui {

struct DesktopNotice {
    QString appName;
    QString icon; // an icon name of the theme
    QString summary;
    QString body;
    bool sound = false;
};

// Hands the notice to the service without waiting for it; done(true) once the service took it,
// done(false) when none answered. done runs in context's thread, never after context is gone.
void sendDesktopNotice(const DesktopNotice& notice, QObject* context,
                       std::function<void(bool taken)> done);

} // namespace orvanto::gui
