// The main window under a real window manager (openbox on its own Xvfb full-HD screen) at
// 200 %: once framed, the whole window, title bar and borders included, is on screen. The
// offscreen platform has no frames, so only this shows where a manager puts the window.
#include "TestDesktop.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>
#include <cstdio>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class WindowManagerFitTest : public QObject {
    Q_OBJECT

  private slots:
    void framedWindowIsOnScreenAtTwoHundredPercent();
};

void WindowManagerFitTest::framedWindowIsOnScreenAtTwoHundredPercent() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QScreen* screen = window.screen();
    QCOMPARE(screen->devicePixelRatio(), 2.0);
    const QRect available = screen->availableGeometry();
    QCOMPARE(screen->geometry().size(), QSize(960, 540));
    // openbox adds a title bar and borders; the window is then fitted and placed by them.
    QTRY_VERIFY_WITH_TIMEOUT(window.frameGeometry().size() != window.size(), 20000);
    QTRY_VERIFY2_WITH_TIMEOUT(available.contains(window.frameGeometry()),
                              qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                             .arg(window.frameGeometry().x())
                                             .arg(window.frameGeometry().y())
                                             .arg(window.frameGeometry().width())
                                             .arg(window.frameGeometry().height())),
                              20000);
    QVERIFY(window.frameGeometry().top() < window.geometry().top()); // the title bar counts
    // The bottom of 第五大节 is on screen too.
    CellLabel* last = cell(window, 34);
    QTRY_VERIFY_WITH_TIMEOUT(
        available.contains(QRect(last->mapToGlobal(QPoint(0, 0)), last->size())), 20000);
}

// Starts Xvfb and openbox for the test and ends them after it.
int main(int argc, char** argv) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty()) {
        std::fprintf(stderr, "Xvfb and openbox are needed (scripts/install-deps installs them)\n");
        return 1;
    }
    QProcess server;
    // -displayfd picks a free display and writes its number once the server accepts clients.
    server.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp")});
    QByteArray display;
    while (server.waitForReadyRead(10000)) {
        display += server.readAllStandardOutput();
        if (display.endsWith('\n')) {
            break;
        }
    }
    if (!display.endsWith('\n')) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", ":" + display.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_SCALE_FACTOR", "2");
    QProcess manager;
    manager.start(openbox, {});
    // openbox is ready once it has announced itself on the root window.
    bool ready = false;
    for (int i = 0; i < 100 && !ready; ++i) {
        QProcess check;
        check.start(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        check.waitForFinished();
        ready = check.readAllStandardOutput().contains("window id");
        if (!ready) {
            QThread::msleep(50);
        }
    }
    int status = 1;
    if (ready) {
        QApplication app(argc, argv);
        WindowManagerFitTest test;
        status = QTest::qExec(&test, argc, argv);
    } else {
        std::fprintf(stderr, "openbox did not start\n");
    }
    manager.terminate();
    manager.waitForFinished();
    server.terminate();
    server.waitForFinished();
    return status;
}

#include "WindowManagerFitTest.moc"
