// The splash's two steps, its hand-over to the main window, and its looks.
#include "gui/SplashWindow.h"

#include "TestDesktop.h"
#include "gui/MainWindow.h"
#include "gui/SplashHandOver.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using orvanto::gui::SplashWindow;

class SplashWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void stepsTwiceThenHandsOverAndGoes();
    void slowStartUpDoesNotRepeatAStep();
    void looksAsDrawn();
    void cannotBeClosedBeforeHandOver();
    void handsOverOutsideItsTimer();
    void startUpBoxesAreNeverUnderTheSplash();
};

static QLabel* statusLabel(QWidget* splash) {
    return splash->findChild<QLabel*>(QStringLiteral("Label1"));
}

void SplashWindowTest::stepsTwiceThenHandsOverAndGoes() {
    QElapsedTimer clock;
    QStringList texts;
    qint64 handOverAt = -1;
    QString textAtHandOver;
    bool visibleAtHandOver = false;
    QPointer<SplashWindow> splash;
    splash = new SplashWindow([&] {
        handOverAt = clock.elapsed();
        textAtHandOver = statusLabel(splash)->text();
        visibleAtHandOver = splash->isVisible();
    });
    QLabel* label = statusLabel(splash);
    QVERIFY(label != nullptr);
    texts << label->text();
    // Connected after the splash's own handler, so it sees the text that step set.
    qint64 secondAt = -1;
    connect(splash->findChild<QTimer*>(QStringLiteral("Timer1")), &QTimer::timeout, this, [&] {
        secondAt = clock.elapsed();
        texts << label->text();
    });
    clock.start();
    splash->show();

    QTRY_VERIFY_WITH_TIMEOUT(handOverAt >= 0, 4000);
    // Timers may be up to 5% early (coarse timers), and late on a busy machine.
    QVERIFY2(secondAt >= 900 && secondAt < 2000, QByteArray::number(secondAt));
    QVERIFY2(handOverAt - secondAt >= 900 && handOverAt - secondAt < 2000,
             QByteArray::number(handOverAt - secondAt));
    QCOMPARE(texts, QStringList({QStringLiteral("正在启动..."), QStringLiteral("正在加载...")}));
    QCOMPARE(textAtHandOver, QStringLiteral("加载完成 , 显示..."));
    QVERIFY(visibleAtHandOver);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 1000);
}

void SplashWindowTest::slowStartUpDoesNotRepeatAStep() {
    // A start-up that runs an event loop (a message box, say) must not let a timer fire again.
    int handOvers = 0;
    QPointer<SplashWindow> splash;
    splash = new SplashWindow([&] {
        ++handOvers;
        QEventLoop loop;
        QTimer::singleShot(1500, &loop, &QEventLoop::quit);
        loop.exec();
    });
    QSignalSpy timer1(splash->findChild<QTimer*>(QStringLiteral("Timer1")), &QTimer::timeout);
    QSignalSpy timer2(splash->findChild<QTimer*>(QStringLiteral("Timer2")), &QTimer::timeout);
    QVERIFY(timer1.isValid() && timer2.isValid());
    splash->show();
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 5000);
    QCOMPARE(handOvers, 1);
    QCOMPARE(timer1.count(), 1);
    QCOMPARE(timer2.count(), 1);
}

void SplashWindowTest::looksAsDrawn() {
    SplashWindow splash([] {});
    QCOMPARE(splash.objectName(), QStringLiteral("Form3"));
    QCOMPARE(splash.size(), QSize(357, 463));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // A splash-screen window type has no taskbar button.
    QCOMPARE(splash.windowType(), Qt::SplashScreen);
    QCOMPARE(splash.minimumSize(), splash.maximumSize());

    auto* picture = splash.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(picture != nullptr);
    QCOMPARE(picture->geometry(), QRect(0, 0, 357, 435));
    QCOMPARE(picture->pixmap().size(), QSize(357, 435));
    QVERIFY(!picture->hasScaledContents());

    QLabel* label = statusLabel(&splash);
    QCOMPARE(label->geometry(), QRect(136, 432, 113, 17));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->font().weight(), QFont::Bold);
    QCOMPARE(label->font().pointSizeF(), 10.5);
    QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::black));

    // The longest status text has to fit the label, or its end is cut off.
    const QFontMetrics metrics(label->font());
    QVERIFY2(metrics.horizontalAdvance(QStringLiteral("加载完成 , 显示...")) <= label->width(),
             QByteArray::number(metrics.horizontalAdvance(QStringLiteral("加载完成 , 显示..."))));
    // The label is stacked above the picture it overlaps.
    QCOMPARE(splash.childAt(140, 433), label);
}

void SplashWindowTest::cannotBeClosedBeforeHandOver() {
    bool handedOver = false;
    QPointer<SplashWindow> splash;
    splash = new SplashWindow([&] { handedOver = true; });
    splash->show();
    QVERIFY(!splash->close());
    QVERIFY(splash->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(handedOver, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 1000);
}

void SplashWindowTest::handsOverOutsideItsTimer() {
    bool stepFinished = false;
    bool finishedAtHandOver = false;
    QPointer<SplashWindow> splash;
    splash = new SplashWindow([&] { finishedAtHandOver = stepFinished; });
    // Connected after the splash's own handler: it runs once that handler has returned.
    connect(splash->findChild<QTimer*>(QStringLiteral("Timer2")), &QTimer::timeout, this,
            [&] { stepFinished = true; });
    splash->show();
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 4000);
    QVERIFY(finishedAtHandOver);
}

void SplashWindowTest::startUpBoxesAreNeverUnderTheSplash() {
    using namespace orvanto::gui::testing;
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    {
        // A first Monday that is not a Monday: the start-up tells the student in a box.
        QFile term(desk.folder.filePath(QStringLiteral("term.ini")));
        QVERIFY(term.open(QIODevice::WriteOnly));
        term.write("[term]\r\nstart=2010-03-03\r\n");
    }
    orvanto::gui::MainWindow window(desk.desktop());
    QElapsedTimer clock;
    QPointer<SplashWindow> splash;
    int boxes = 0;
    bool splashShownAtBox = true;
    bool windowShownAtBox = false;
    qint64 boxAt = -1;
    window.desktop().showMessage = [&](QWidget*, const orvanto::gui::Message&) {
        ++boxes;
        boxAt = clock.elapsed();
        splashShownAtBox = splash != nullptr && splash->isVisible();
        // The box stands on the main window, not on an empty screen.
        windowShownAtBox = window.isVisible() && window.windowHandle() != nullptr &&
                           window.windowHandle()->isVisible();
    };
    clock.start();
    splash = orvanto::gui::showWithSplash(window);
    QTRY_VERIFY_WITH_TIMEOUT(boxes == 1, 6000);
    QVERIFY(!splashShownAtBox);
    QVERIFY(windowShownAtBox);
    QVERIFY2(boxAt < 6000, QByteArray::number(boxAt));
    QVERIFY(window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 1000);
    QCOMPARE(boxes, 1);
}

QTEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
