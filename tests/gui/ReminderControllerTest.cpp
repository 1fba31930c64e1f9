// Reminders, the tray and the start at login as the student turns them on and off: nothing of
// them without reminders.ini, and nothing left behind once everything is off again.
#include "gui/ReminderController.h"

#include "TestDesktop.h"
#include "gui/MainWindow.h"
#include "gui/ReminderDialog.h"
#include "gui/ReminderNotifier.h"
#include "gui/ReminderTray.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;
using namespace std::chrono;

namespace {

// Tuesday 2 March 2010, week 1 of the default term: 大学英语(4) at 08:00, 概率论与数理统计 at
// 16:00.
constexpr year_month_day kTuesday{year{2010}, month{3}, day{2}};

struct Fixture {
    TestDesktop desk;
    QTemporaryDir config; // the user's configuration folder, for the autostart entry
    local_seconds now = local_days{kTuesday} + hours{7};
    bool trayAvailable = true;

    Fixture() {
        desk.today = kTuesday;
        desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        // No session bus: a reminder takes one of the other ways.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orvanto-test-bus");
    }

    ReminderController::System system() {
        return {[this] { return now; }, [this] { return trayAvailable; },
                [] { return QStringLiteral("/opt/我的 课表/orvanto"); }};
    }

    void writeReminders(const QByteArray& text) {
        QFile file(desk.folder.filePath(QStringLiteral("reminders.ini")));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }

    QString autostartFile() const {
        return config.filePath(QStringLiteral("autostart/orvanto.desktop"));
    }
};

// Saves the dialog with these choices, as the student would with 确定.
void saveFromDialog(MainWindow& window, bool remind, int minutes, bool tray, bool autostart) {
    QTimer::singleShot(0, [&window, remind, minutes, tray, autostart] {
        auto* dialog = window.findChild<ReminderDialog*>();
        QVERIFY(dialog != nullptr);
        dialog->findChild<QCheckBox*>(QStringLiteral("RemindBeforeClass"))->setChecked(remind);
        dialog->findChild<QSpinBox*>(QStringLiteral("ReminderMinutes"))->setValue(minutes);
        dialog->findChild<QCheckBox*>(QStringLiteral("ShowInTray"))->setChecked(tray);
        dialog->findChild<QCheckBox*>(QStringLiteral("StartAtLogin"))->setChecked(autostart);
        dialog->findChild<QPushButton*>(QStringLiteral("Ok"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("Reminders"))->trigger();
}

} // namespace

class ReminderControllerTest : public QObject {
    Q_OBJECT

  private slots:
    void noFileLeavesEverythingAsItWas();
    void trayShowsTheNextClassAndClosingHidesToIt();
    void remindersFallDueFromTheWindowsSchedule();
    void turningEverythingOffLeavesNothingBehind();
    void badValuesAreToldOnceAfterTheStartUp();
};

void ReminderControllerTest::noFileLeavesEverythingAsItWas() {
    Fixture f;
    MainWindow window(f.desk.desktop());
    ReminderController reminders(window, f.system());
    reminders.load();
    window.show();
    QVERIFY(reminders.tray() == nullptr);
    QVERIFY(!reminders.keepsRunningInTray());
    QVERIFY(reminders.planned().empty());
    QVERIFY(QApplication::quitOnLastWindowClosed());
    QVERIFY(!QFile::exists(f.autostartFile()));
    // The one new thing is the menu item, among the settings.
    QMenu* set = window.menuBar()->findChild<QMenu*>(QStringLiteral("Set"));
    QStringList names;
    for (const QAction* action : set->actions()) {
        names << action->objectName();
    }
    QCOMPARE(names.indexOf(QStringLiteral("Reminders")), names.indexOf(QStringLiteral("Term")) + 1);
    window.close();
    QCOMPARE(f.desk.quits, 1);
    QVERIFY(f.desk.messages.empty());
}

void ReminderControllerTest::trayShowsTheNextClassAndClosingHidesToIt() {
    Fixture f;
    f.writeReminders("[reminders]\r\ntray=1\r\n");
    MainWindow window(f.desk.desktop());
    ReminderController reminders(window, f.system());
    reminders.load();
    window.show();
    QVERIFY(reminders.tray() != nullptr);
    QVERIFY(reminders.tray()->icon()->isVisible());
    QCOMPARE(reminders.tray()->nextClass(), QStringLiteral("下一节：大学英语(4) 08:00 外语楼305"));
    f.now = local_days{kTuesday} + hours{9};
    reminders.tick();
    // Under way until 09:40.
    QCOMPARE(reminders.tray()->nextClass(), QStringLiteral("下一节：大学英语(4) 08:00 外语楼305"));
    f.now = local_days{kTuesday} + hours{17} + minutes{40};
    reminders.tick();
    QCOMPARE(reminders.tray()->nextClass(),
             QStringLiteral("下一节：思想政治理论 3月4日 10:00 大礼堂"));
    const QStringList menu = [&] {
        QStringList texts;
        for (const QAction* a : reminders.tray()->menu()->actions()) {
            texts << a->text();
        }
        return texts;
    }();
    QCOMPARE(menu, (QStringList{QStringLiteral("下一节：思想政治理论 3月4日 10:00 大礼堂"),
                                QString(), QStringLiteral("显示课表"), QStringLiteral("退出")}));
    // Closing hides to the tray, twice without ending the program.
    window.close();
    QVERIFY(!window.isVisible());
    window.show();
    window.close();
    QCOMPARE(f.desk.quits, 0);
    // 退出 ends it, shown or not.
    reminders.tray()->menu()->actions().last()->trigger();
    QCOMPARE(f.desk.quits, 1);
}

void ReminderControllerTest::remindersFallDueFromTheWindowsSchedule() {
    Fixture f;
    f.writeReminders("[reminders]\r\nenabled=1\r\nminutes=30\r\n");
    MainWindow window(f.desk.desktop());
    ReminderController reminders(window, f.system());
    reminders.load();
    // Nothing before the window's start-up has read the workbook.
    QVERIFY(reminders.planned().empty());
    window.show();
    QCOMPARE(reminders.planned().size(), 2u); // Tuesday's two; Wednesday has none
    QSignalSpy shown(reminders.notifier(), &ReminderNotifier::shown);
    f.now = local_days{kTuesday} + hours{7} + minutes{29};
    reminders.tick();
    QCOMPARE(shown.count(), 0);
    f.now += minutes{1};
    reminders.tick();
    reminders.tick();
    // No notification service in this test and no tray: the small window.
    QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).value<ReminderNotifier::Route>(), ReminderNotifier::Route::Window);
    QWidget* popup = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("ReminderPopup") && w->isVisible()) {
            popup = w;
        }
    }
    QVERIFY(popup != nullptr);
    QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(popup->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QCOMPARE(popup->findChild<QLabel*>(QStringLiteral("ReminderSummary"))->text(),
             QStringLiteral("上课提醒：大学英语(4)"));
    QCOMPARE(popup->findChild<QLabel*>(QStringLiteral("ReminderBody"))->text(),
             QStringLiteral("08:00 上课  外语楼305  李华 讲师"));
    QVERIFY(QApplication::focusWidget() == nullptr ||
            QApplication::focusWidget()->window() != popup);
    popup->close();
    // A new term read by the window moves what is still to come.
    QFile term(f.desk.folder.filePath(QStringLiteral("term.ini")));
    term.open(QIODevice::WriteOnly);
    term.write("[periods]\r\n4=16:30-18:10\r\n");
    term.close();
    window.startUp();
    QVERIFY(std::any_of(reminders.planned().begin(), reminders.planned().end(),
                        [](const auto& r) { return r.due == local_days{kTuesday} + hours{16}; }));
}

void ReminderControllerTest::turningEverythingOffLeavesNothingBehind() {
    Fixture f;
    MainWindow window(f.desk.desktop());
    ReminderController reminders(window, f.system());
    reminders.load();
    window.show();
    saveFromDialog(window, true, 15, true, true);
    QVERIFY(reminders.tray() != nullptr);
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    QCOMPARE(reminders.reminders(), (orvanto::settings::Reminders{true, 15, false, true, true}));
    QFile saved(f.desk.folder.filePath(QStringLiteral("reminders.ini")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(),
             QByteArray("[reminders]\r\nenabled=1\r\nminutes=15\r\nsound=0\r\ntray=1\r\n"
                        "autostart=1\r\n"));
    QFile entry(f.autostartFile());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY2(text.contains(QStringLiteral("\nExec=\"/opt/我的 课表/orvanto\" --minimized\n")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\nX-GNOME-Autostart-enabled=true\n")));
    entry.close();
    // Without the tray the entry starts the window itself.
    saveFromDialog(window, true, 15, false, true);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(!QString::fromUtf8(entry.readAll()).contains(QStringLiteral("--minimized")));
    entry.close();

    saveFromDialog(window, false, 15, false, false);
    QVERIFY(reminders.tray() == nullptr);
    QVERIFY(reminders.planned().empty());
    QVERIFY(!QFile::exists(f.autostartFile()));
    QVERIFY(QApplication::quitOnLastWindowClosed());
    QVERIFY(window.findChild<QTimer*>(QStringLiteral("ReminderTicker"))->isActive() == false);
    window.close();
    QCOMPARE(f.desk.quits, 1);
}

void ReminderControllerTest::badValuesAreToldOnceAfterTheStartUp() {
    Fixture f;
    f.writeReminders("[reminders]\r\nenabled=1\r\nminutes=200\r\ntray=yes\r\n");
    MainWindow window(f.desk.desktop());
    ReminderController reminders(window, f.system());
    reminders.load();
    QVERIFY(f.desk.messages.empty());
    window.show();
    QCOMPARE(f.desk.messages.size(), 1u);
    QCOMPARE(f.desk.messages[0].text,
             QStringLiteral("上课提醒设置文件 reminders.ini 中有设置未被采用：\n"
                            "minutes=“200” 不是 0 到 120 之间的整数，已使用默认的 10 分钟。\n"
                            "tray=“yes” 不是 0 或 1，已按关闭处理。"));
    QCOMPARE(reminders.reminders().minutes, 10);
    QVERIFY(reminders.tray() == nullptr);
    window.startUp();
    QCOMPARE(f.desk.messages.size(), 1u);
}

QTEST_MAIN(ReminderControllerTest)
#include "ReminderControllerTest.moc"
