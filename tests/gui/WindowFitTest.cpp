// The main window on a full-HD screen at 200 % (this test runs on such a screen): shrunk to fit,
// every cell and its bottom edge on screen, proportions kept, text still readable; and the fit
// and the phrase breaking of the status label on their own.
#include "gui/WindowFit.h"

#include "TestDesktop.h"
#include "gui/MainWindow.h"
#include "gui/PhraseBreaking.h"

#include <QRandomGenerator>
#include <QScreen>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class WindowFitTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCellOnScreenAtTwoHundredPercent();
    void fitScale_data();
    void fitScale();
    void scalingBackGivesTheDesignedLayout();
    void statusLinesBreakOnlyBetweenPhrases();
};

void WindowFitTest::everyCellOnScreenAtTwoHundredPercent() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QScreen* screen = window.screen();
    QCOMPARE(screen->devicePixelRatio(), 2.0);
    const QRect available = screen->availableGeometry();
    QCOMPARE(available.size(), QSize(960, 540));

    QVERIFY(window.gridScale() < 1.0);
    QVERIFY(window.frameGeometry().bottom() <= available.bottom());
    QVERIFY(available.contains(window.frameGeometry()));
    const qreal scale = window.gridScale();
    for (int i = 0; i < 35; ++i) {
        CellLabel* c = cell(window, i);
        const QRect global(c->mapToGlobal(QPoint(0, 0)), c->size());
        QVERIFY2(available.contains(global), qPrintable(QString::number(i)));
        // 97 x 89 as designed, shrunk alike in both directions.
        QVERIFY(qAbs(c->width() - 97 * scale) <= 1.0);
        QVERIFY(qAbs(c->height() - 89 * scale) <= 1.0);
    }
    // Nine-point text stays at least eight device pixels on a screen of twice the density...
    const qreal devicePixels = QFontInfo(cell(window, 0)->font()).pixelSize() * 2.0;
    QVERIFY2(devicePixels >= 16, qPrintable(QString::number(devicePixels)));
    // ... and a cell's three lines still fit it.
    const QFontMetrics metrics(cell(window, 0)->font());
    QVERIFY(3 * metrics.lineSpacing() <= cell(window, 0)->height());
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("课00甲")) <= cell(window, 0)->width());
}

void WindowFitTest::fitScale_data() {
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("fixed");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("fits") << QSize(1366, 728) << QSize(2, 60) << 1.0;
    QTest::newRow("exactly fits") << QSize(886, 604) << QSize(2, 60) << 1.0;
    QTest::newRow("one pixel short") << QSize(886, 603) << QSize(2, 60) << 543.0 / 544;
    QTest::newRow("too narrow") << QSize(444, 1000) << QSize(2, 60) << 0.5;
    QTest::newRow("200% full HD") << QSize(960, 540) << QSize(2, 60) << 480.0 / 544;
    QTest::newRow("never below readable") << QSize(200, 150) << QSize(2, 60) << kSmallestFit;
}

void WindowFitTest::fitScale() {
    QFETCH(QSize, available);
    QFETCH(QSize, fixed);
    QFETCH(qreal, scale);
    QCOMPARE(orvanto::gui::fitScale(available, QSize(884, 544), fixed), scale);
}

void WindowFitTest::scalingBackGivesTheDesignedLayout() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    QWidget* client = window.centralWidget();
    QList<QRect> designed;
    QList<qreal> fonts;
    const QList<QWidget*> children = client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        designed << child->geometry();
        fonts << child->font().pointSizeF();
    }
    for (qreal scale : {0.5, 0.73, 0.9, 1.0}) {
        scaleChildren(client, scale);
        // Neighbours that touched still touch: cells keep their 7 x 5 pitch.
        const int across = cell(window, 1)->x() - cell(window, 0)->x();
        QVERIFY(qAbs(across - 112 * scale) <= 1.0);
        QVERIFY(qAbs(cell(window, 0)->font().pointSizeF() - 9 * scale) < 0.01);
    }
    scaleChildren(client, 1.0);
    for (int i = 0; i < children.size(); ++i) {
        QCOMPARE(children[i]->geometry(), designed[i]);
        QCOMPARE(children[i]->font().pointSizeF(), fonts[i]);
    }
}

void WindowFitTest::statusLinesBreakOnlyBetweenPhrases() {
    const QFont font(QStringLiteral("Noto Sans CJK SC"), 12);
    const QFontMetrics metrics(font);
    const QStringList pool = {QStringLiteral("提示：无法读取课表："),
                              QStringLiteral("找不到文件："),
                              QStringLiteral("课表.xlsx"),
                              QStringLiteral("2026年秋季学期计算机科学与技术专业课表.xlsx"),
                              QStringLiteral("单元格 D8：#DIV/0!"),
                              QStringLiteral("缺少节次标记“第12节”"),
                              QStringLiteral("a"),
                              QString()};
    QRandomGenerator random(23);
    for (int round = 0; round < 500; ++round) {
        QStringList phrases;
        const int count = random.bounded(1, 6);
        for (int i = 0; i < count; ++i) {
            phrases << pool[random.bounded(int(pool.size()))];
        }
        const int width = random.bounded(60, 400);
        const QStringList lines =
            breakBetweenPhrases(phrases, metrics, width).split(QLatin1Char('\n'));
        // Every line fits, and the lines are the phrases in order, each whole or, alone on a
        // line and too wide for it, shortened.
        int next = 0;
        for (const QString& line : lines) {
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
            while (next < phrases.size() && phrases[next].isEmpty()) {
                ++next;
            }
            if (line.isEmpty()) {
                QCOMPARE(next, int(phrases.size()));
                continue;
            }
            QString rebuilt;
            while (next < phrases.size() && rebuilt.size() < line.size() &&
                   line.startsWith(rebuilt + phrases[next])) {
                rebuilt += phrases[next++];
            }
            if (rebuilt != line) {
                QVERIFY2(rebuilt.isEmpty() && line.contains(QChar(0x2026)), qPrintable(line));
                QVERIFY(metrics.horizontalAdvance(phrases[next]) > width);
                ++next;
            }
        }
        while (next < phrases.size() && phrases[next].isEmpty()) {
            ++next;
        }
        QVERIFY2(next == int(phrases.size()),
                 qPrintable(phrases.join(QLatin1Char('|')) + QStringLiteral(" -> ") +
                            lines.join(QLatin1Char('|'))));
    }
}

QTEST_MAIN(WindowFitTest)
#include "WindowFitTest.moc"
