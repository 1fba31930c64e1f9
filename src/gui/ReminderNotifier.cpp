#include "ReminderNotifier.h"

#include "DesktopNotifications.h"
#include "ProgramResources.h"
#include "ReminderPopup.h"
#include "StudentMessages.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace orvanto::gui {

namespace {

constexpr int kTrayMessageMilliseconds = 15000;

} // namespace

ReminderNotifier::ReminderNotifier(QObject* parent) : QObject(parent) {}

void ReminderNotifier::setTray(QSystemTrayIcon* tray) {
    m_tray = tray;
}

void ReminderNotifier::notify(const QString& summary, const QString& body, bool sound) {
    const DesktopNotice notice{programTitle(), QStringLiteral("orvanto"), summary, body, sound};
    sendDesktopNotice(notice, this, [this, summary, body, sound](bool taken) {
        if (taken) {
            emit shown(Route::Notifications);
        } else {
            fallBack(summary, body, sound);
        }
    });
}

void ReminderNotifier::fallBack(const QString& summary, const QString& body, bool sound) {
    if (sound) {
        // Neither way below has a sound of its own.
        QApplication::beep();
    }
    if (m_tray != nullptr && m_tray->isVisible()) {
        m_tray->showMessage(summary, body, programIcon(), kTrayMessageMilliseconds);
        emit shown(Route::Tray);
        return;
    }
    (new ReminderPopup(summary, body))->showInCorner();
    emit shown(Route::Window);
}

} // namespace orvanto::gui
