#include "DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace orvanto::gui {

namespace {

// An answer slower than this counts as none: the student is told another way in time.
constexpr int kReplyMilliseconds = 3000;
constexpr uchar kUrgencyNormal = 1;

} // namespace

void sendDesktopNotice(const DesktopNotice& notice, QObject* context,
                       std::function<void(bool taken)> done) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        done(false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyNormal));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("orvanto"));
    if (notice.sound) {
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    } else {
        // The student chose silence: a server that plays a sound by default does not.
        hints.insert(QStringLiteral("suppress-sound"), true);
    }
    // app name, replaces id, icon, summary, body, actions, hints, expiry (-1: the server's).
    call << notice.appName << 0u << notice.icon << notice.summary << notice.body << QStringList()
         << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyMilliseconds), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, done = std::move(done)] {
                         const QDBusPendingReply<uint> reply = *watcher;
                         watcher->deleteLater();
                         done(!reply.isError());
                     });
}

} // namespace orvanto::gui
