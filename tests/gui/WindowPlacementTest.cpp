// Windows larger than the screen's available area (high scale factors) keep their title bar
// and menus on screen; windows that fit stay centred.
#include "gui/WindowPlacement.h"

#include "TestDesktop.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTemporaryFile>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class WindowPlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void placement_data();
    void placement();
    void mainWindowAtScaleTwoKeepsItsTitleBarOnScreen();
    void unframedWindowLeavesRoomForItsTitleBar();
};

void WindowPlacementTest::placement_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("fits: centred")
        << QRect(0, 0, 1920, 1040) << QSize(900, 600) << QPoint(510, 220);
    QTest::newRow("panel on top") << QRect(0, 32, 1280, 768) << QSize(900, 600) << QPoint(190, 116);
    QTest::newRow("too tall (1920x1080 at 2)")
        << QRect(0, 0, 960, 510) << QSize(886, 600) << QPoint(0, 0);
    QTest::newRow("too wide (1280x800 at 2)")
        << QRect(0, 27, 640, 373) << QSize(886, 600) << QPoint(0, 27);
    QTest::newRow("second screen, too tall")
        << QRect(1920, 0, 1280, 500) << QSize(886, 600) << QPoint(1920, 0);
    QTest::newRow("exactly fits") << QRect(0, 0, 886, 600) << QSize(886, 600) << QPoint(0, 0);
}

void WindowPlacementTest::placement() {
    QFETCH(QRect, available);
    QFETCH(QSize, frame);
    QFETCH(QPoint, topLeft);
    QCOMPARE(placementOf(available, frame), topLeft);
}

void WindowPlacementTest::mainWindowAtScaleTwoKeepsItsTitleBarOnScreen() {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(available.size(), QSize(960, 540)); // 1920 x 1080 at device pixel ratio 2
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(available.contains(window.frameGeometry().topLeft()));
    QVERIFY(window.frameGeometry().top() >= available.top());
    QVERIFY(window.frameGeometry().left() >= available.left());
    QVERIFY(available.contains(window.menuBar()->mapToGlobal(QPoint(0, 0))));
}

void WindowPlacementTest::unframedWindowLeavesRoomForItsTitleBar() {
    // Before the window manager frames a window its position is its client area's: the title
    // bar it gets later must still fall on the screen, whether the window fits with room to
    // spare, fills the height exactly or is too tall.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget probe;
    const int titleBar = probe.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    for (int height : {300, available.height() - titleBar, available.height() + 100}) {
        QWidget window;
        window.resize(400, height);
        centreOnScreen(&window);
        QVERIFY2(window.y() - titleBar >= available.top(), qPrintable(QString::number(height)));
        if (height + titleBar <= available.height()) {
            QVERIFY(window.y() + height <= available.bottom() + 1);
        }
    }
}

// The offscreen platform with one 1920 x 1080 screen at scale 2, as a common laptop is set up:
// 960 x 540 device-independent pixels.
int main(int argc, char** argv) {
    QTemporaryFile config;
    config.open();
    config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 960,
                     "height": 540, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    WindowPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowPlacementTest.moc"
