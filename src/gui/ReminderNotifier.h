// Shows a reminder the best way the desktop offers: its notification service, else the tray
// icon's message, else a small window that does not take the focus. None of them takes focus.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QSystemTrayIcon;

namespace orvanto::gui {

class ReminderNotifier : public QObject {
    Q_OBJECT

  public:
    enum class Route { Notifications, Tray, Window };
    Q_ENUM(Route)

    explicit ReminderNotifier(QObject* parent = nullptr);

    // The tray icon to fall back on while it is shown; none without the tray.
    void setTray(QSystemTrayIcon* tray);

    // Sends the reminder on its way; shown says which way it went.
    void notify(const QString& summary, const QString& body, bool sound);

  signals:
    void shown(orvanto::gui::ReminderNotifier::Route route);

  private:
    void fallBack(const QString& summary, const QString& body, bool sound);

    QPointer<QSystemTrayIcon> m_tray;
};

} // namespace orvanto::gui
