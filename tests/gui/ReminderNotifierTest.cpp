// A reminder's way to the student, on a private session bus (the test runs under
// dbus-run-session): a small notification service of our own records what Notify was given;
// without it the reminder falls back to the tray, and without a tray to a window of its own.
#include "gui/ReminderNotifier.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QVariantMap>
#include <QtTest>

using orvanto::gui::ReminderNotifier;
using Route = ReminderNotifier::Route;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

// The desktop's notification service, as far as a reminder needs it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    struct Call {
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
    };
    QList<Call> calls;

  public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        calls.append({appName, replacesId, icon, summary, body, actions, hints, timeout});
        return uint(calls.size());
    }
};

class ReminderNotifierTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void withoutAServiceTheTrayShowsIt();
    void withoutAServiceOrATrayASmallWindowShowsIt();
    void theServiceGetsEverythingItNeeds_data();
    void theServiceGetsEverythingItNeeds();

  private:
    QDBusConnection serviceBus() {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("fake-notifications"));
    }
};

void ReminderNotifierTest::initTestCase() {
    // A private bus, never the desktop's own: the notifications of a test must not pop up.
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
}

void ReminderNotifierTest::withoutAServiceTheTrayShowsIt() {
    QSystemTrayIcon tray;
    tray.show();
    ReminderNotifier notifier;
    notifier.setTray(&tray);
    QSignalSpy shown(&notifier, &ReminderNotifier::shown);
    notifier.notify(QStringLiteral("上课提醒：高等数学"), QStringLiteral("14:00 上课  教1-101"),
                    false);
    QVERIFY(shown.wait(5000));
    QCOMPARE(shown.at(0).at(0).value<Route>(), Route::Tray);
}

void ReminderNotifierTest::withoutAServiceOrATrayASmallWindowShowsIt() {
    ReminderNotifier notifier;
    QSignalSpy shown(&notifier, &ReminderNotifier::shown);
    notifier.notify(QStringLiteral("上课提醒：高等数学"), QStringLiteral("14:00 上课"), false);
    QVERIFY(shown.wait(5000));
    QCOMPARE(shown.at(0).at(0).value<Route>(), Route::Window);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("ReminderPopup")) {
            w->close();
        }
    }
}

void ReminderNotifierTest::theServiceGetsEverythingItNeeds_data() {
    QTest::addColumn<bool>("sound");
    QTest::newRow("silent") << false;
    QTest::newRow("with sound") << true;
}

void ReminderNotifierTest::theServiceGetsEverythingItNeeds() {
    QFETCH(bool, sound);
    FakeNotifications fake;
    QDBusConnection bus = serviceBus();
    QVERIFY(bus.registerObject(kPath, &fake, QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(kService));

    QSystemTrayIcon tray;
    tray.show();
    ReminderNotifier notifier;
    notifier.setTray(&tray);
    QSignalSpy shown(&notifier, &ReminderNotifier::shown);
    notifier.notify(QStringLiteral("上课提醒：高等数学"),
                    QStringLiteral("14:00 上课  教1-101  张老师"), sound);
    QVERIFY(shown.wait(5000));
    QCOMPARE(shown.at(0).at(0).value<Route>(), Route::Notifications);

    QCOMPARE(fake.calls.size(), 1);
    const FakeNotifications::Call& call = fake.calls.first();
    QCOMPARE(call.appName, QStringLiteral("我的课表"));
    QCOMPARE(call.replacesId, 0u);
    QCOMPARE(call.icon, QStringLiteral("orvanto"));
    QCOMPARE(call.summary, QStringLiteral("上课提醒：高等数学"));
    QCOMPARE(call.body, QStringLiteral("14:00 上课  教1-101  张老师"));
    QVERIFY(call.actions.isEmpty());
    QCOMPARE(call.timeout, -1);
    // Urgency is a byte on the wire; normal is 1.
    QCOMPARE(call.hints.value(QStringLiteral("urgency")).metaType(), QMetaType::fromType<uchar>());
    QCOMPARE(call.hints.value(QStringLiteral("urgency")).value<uchar>(), uchar(1));
    QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(),
             QStringLiteral("orvanto"));
    QCOMPARE(call.hints.contains(QStringLiteral("sound-name")), sound);
    QCOMPARE(call.hints.value(QStringLiteral("suppress-sound"), false).toBool(), !sound);

    QVERIFY(bus.unregisterService(kService));
    bus.unregisterObject(kPath);
}

QTEST_MAIN(ReminderNotifierTest)
#include "ReminderNotifierTest.moc"
