// The viewer installed where it cannot write: its settings in the user's configuration folder,
// the same folder Qt names, created by the first save and read on the next start; and the help
// text found in the installed data folder.
#include "TestDesktop.h"
#include "core/ProgramInfo.h"
#include "gui/Desktop.h"
#include "gui/MainWindow.h"
#include "settings/SettingsLocation.h"

#include <QAction>
#include <QStandardPaths>
#include <QtTest>

using namespace orvanto;
using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class UserSettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void sameFolderAsQt_data();
    void sameFolderAsQt();
    void firstSaveGoesToTheUserFolderAndIsReadNextTime();
    void pathBesideReadOnlyProgramIsRead();
    void failedSaveNamesTheFolder();
    void termSavedInTheUserFolder();
    void dataFileBesideOrInstalled_data();
    void dataFileBesideOrInstalled();

  private:
    // A desktop whose program folder cannot be written: settings go to user/orvanto.
    static void installed(TestDesktop& desk, Desktop& desktop) {
        desktop.settings = settings::SettingsLocation::inUserFolder(
            toFilesystemPath(desk.folder.path()), toFilesystemPath(userFolder(desk)));
    }
    static QString userFolder(const TestDesktop& desk) {
        return desk.folder.filePath(QStringLiteral("config/orvanto"));
    }
    static QByteArray read(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
};

void UserSettingsTest::initTestCase() {
    QCoreApplication::setApplicationName(QStringLiteral("orvanto"));
}

void UserSettingsTest::sameFolderAsQt_data() {
    QTest::addColumn<QByteArray>("configHome"); // "-" leaves the variable unset
    QTest::addColumn<QByteArray>("home");
    QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/tmp/cfg") << QByteArray("/home/s");
    QTest::newRow("trailing slash") << QByteArray("/tmp/cfg/") << QByteArray("/home/s");
    QTest::newRow("empty XDG_CONFIG_HOME") << QByteArray("") << QByteArray("/home/s");
    QTest::newRow("unset XDG_CONFIG_HOME") << QByteArray("-") << QByteArray("/home/学生");
    QTest::newRow("home with trailing slash") << QByteArray("-") << QByteArray("/home/s/");
    QTest::newRow("no home") << QByteArray("-") << QByteArray("-");
}

void UserSettingsTest::sameFolderAsQt() {
    QFETCH(QByteArray, configHome);
    QFETCH(QByteArray, home);
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    const auto set = [](const char* name, const QByteArray& value) {
        if (value == "-") {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    };
    set("XDG_CONFIG_HOME", configHome);
    set("HOME", home);
    const QString qt = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // A folder that does not exist is never writable: the settings go to the user's folder.
    const auto ours =
        settings::SettingsLocation::forProgramIn("/nonexistent/orvanto/bin").userFolder();
    qputenv("XDG_CONFIG_HOME", savedConfigHome);
    qputenv("HOME", savedHome);
    if (savedConfigHome.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    }
    QCOMPARE(QDir::cleanPath(QString::fromStdU16String(ours.u16string())), QDir::cleanPath(qt));
}

void UserSettingsTest::firstSaveGoesToTheUserFolderAndIsReadNextTime() {
    TestDesktop desk;
    desk.workbookToChoose = sample("windows-timetable.xlsx");
    {
        Desktop desktop = desk.desktop();
        installed(desk, desktop);
        MainWindow window(desktop);
        window.show();
        // Nothing is written beside the program, and no folder is made before a save.
        QVERIFY(!desk.iniExists());
        QVERIFY(!QDir(userFolder(desk)).exists());
        window.choosePath();
        QVERIFY(desk.messages.empty());
        QVERIFY(window.hasWorkbook());
    }
    QCOMPARE(read(userFolder(desk) + QStringLiteral("/path.ini")),
             sample("windows-timetable.xlsx").toUtf8() + "\r\n");
    QVERIFY(!desk.iniExists());

    Desktop desktop = desk.desktop();
    installed(desk, desktop);
    MainWindow again(desktop);
    again.show();
    QCOMPARE(again.workbookPath(), sample("windows-timetable.xlsx"));
    QVERIFY(again.hasWorkbook());
}

void UserSettingsTest::pathBesideReadOnlyProgramIsRead() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    Desktop desktop = desk.desktop();
    installed(desk, desktop);
    MainWindow window(desktop);
    window.show();
    QCOMPARE(window.workbookPath(), sample("windows-timetable.xlsx"));

    // The student's own choice then takes over; the shared file stays as it was.
    desk.workbookToChoose = sample("windows-failing.xlsx");
    window.choosePath();
    QCOMPARE(window.workbookPath(), sample("windows-failing.xlsx"));
    QCOMPARE(desk.readIni(), sample("windows-timetable.xlsx").toUtf8() + "\r\n");
}

void UserSettingsTest::failedSaveNamesTheFolder() {
    TestDesktop desk;
    QFile blocker(desk.folder.filePath(QStringLiteral("config")));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder would go
    blocker.close();
    Desktop desktop = desk.desktop();
    installed(desk, desktop);
    MainWindow window(desktop);
    window.show();
    desk.messages.clear();
    desk.workbookToChoose = sample("windows-timetable.xlsx");
    window.choosePath();
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QVERIFY2(desk.messages[0].text.contains(QDir::toNativeSeparators(userFolder(desk))),
             qPrintable(desk.messages[0].text));
    QVERIFY(!window.hasWorkbook());
}

void UserSettingsTest::termSavedInTheUserFolder() {
    TestDesktop desk;
    Desktop desktop = desk.desktop();
    installed(desk, desktop);
    MainWindow window(desktop);
    window.show();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    window.findChild<QAction*>(QStringLiteral("Term"))->trigger();
    QVERIFY(desk.messages.empty());
    QVERIFY(read(userFolder(desk) + QStringLiteral("/term.ini")).startsWith("[term]\r\n"));
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("term.ini"))));
}

void UserSettingsTest::dataFileBesideOrInstalled_data() {
    QTest::addColumn<QStringList>("files"); // under a prefix folder
    QTest::addColumn<QString>("expected");
    const QString help = QStringLiteral(ORVANTO_HELP_FILE_NAME);
    QTest::newRow("beside") << QStringList{QStringLiteral("bin/") + help}
                            << QStringLiteral("bin/") + help;
    QTest::newRow("installed") << QStringList{QStringLiteral("share/orvanto/") + help}
                               << QStringLiteral("share/orvanto/") + help;
    QTest::newRow("beside wins") << QStringList{QStringLiteral("bin/") + help,
                                                QStringLiteral("share/orvanto/") + help}
                                 << QStringLiteral("bin/") + help;
    // Missing everywhere: the path beside the program, for the viewer to report.
    QTest::newRow("nowhere") << QStringList{} << QStringLiteral("bin/") + help;
}

void UserSettingsTest::dataFileBesideOrInstalled() {
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    for (const QString& file : files) {
        QVERIFY(QDir(prefix.path()).mkpath(QFileInfo(file).path()));
        QFile out(prefix.filePath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
    }
    QCOMPARE(programDataFile(prefix.filePath(QStringLiteral("bin")),
                             QStringLiteral(ORVANTO_HELP_FILE_NAME)),
             prefix.filePath(expected));
}

QTEST_MAIN(UserSettingsTest)
#include "UserSettingsTest.moc"
