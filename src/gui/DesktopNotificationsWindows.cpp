#include "DesktopNotifications.h"

namespace orvanto::gui {

void sendDesktopNotice(const DesktopNotice&, QObject*, std::function<void(bool taken)> done) {
    // The tray's message is Windows' own notification.
    done(false);
}

} // namespace orvanto::gui
