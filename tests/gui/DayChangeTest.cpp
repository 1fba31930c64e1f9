// The window left open over midnight or through a sleep: the clock is injected and moved on.
#include "TestDesktop.h"
#include "gui/DayWatcher.h"
#include "gui/MainWindow.h"

#include <QAction>
#include <QDialog>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {
const QString kTitleEnd = QStringLiteral("——我的课表——2010年Pellwick春季版");

DayWatcher* watcherOf(MainWindow& window) {
    return window.findChild<DayWatcher*>();
}

// Moves the test desktop's clock and lets the window notice it.
void moveClock(TestDesktop& desk, MainWindow& window, std::chrono::year_month_day to) {
    desk.today = to;
    watcherOf(window)->checkNow();
}
} // namespace

class DayChangeTest : public QObject {
    Q_OBJECT

  private slots:
    void watcherTellsEachChangeOnce();
    void watcherLooksByItself();
    void titleAndMarkFollowTheDay_data();
    void titleAndMarkFollowTheDay();
    void mondayBringsTheNewWeeksClassesFromTheWorkbookAsItIsNow();
    void aQueriedWeekStays();
    void alwaysOnTopSurvivesMidnight();
    void anOpenDialogIsNotPulledFromUnderTheStudent();
};

void DayChangeTest::watcherTellsEachChangeOnce() {
    auto today = date(2026, 12, 6);
    DayWatcher watcher([&today] { return today; }, std::chrono::hours(1));
    QSignalSpy changes(&watcher, &DayWatcher::dayChanged);
    struct Step {
        std::chrono::year_month_day clock;
        int changesAfter;
    };
    // The same day twice, the next day, a clock set back a month, a jump over a long sleep.
    for (const Step& step :
         {Step{date(2026, 12, 6), 0}, Step{date(2026, 12, 7), 1}, Step{date(2026, 12, 7), 1},
          Step{date(2026, 11, 7), 2}, Step{date(2027, 1, 4), 3}, Step{date(2027, 1, 4), 3}}) {
        today = step.clock;
        watcher.checkNow();
        QCOMPARE(changes.count(), step.changesAfter);
        QVERIFY(watcher.day() == step.clock);
    }
    QVERIFY(changes.last().at(0).value<std::chrono::year_month_day>() == date(2027, 1, 4));

    // What the caller has just shown is not a change.
    watcher.acknowledge(date(2027, 1, 5));
    today = date(2027, 1, 5);
    watcher.checkNow();
    QCOMPARE(changes.count(), 3);
}

void DayChangeTest::watcherLooksByItself() {
    auto today = date(2026, 12, 6);
    DayWatcher watcher([&today] { return today; }, std::chrono::milliseconds(20));
    QSignalSpy changes(&watcher, &DayWatcher::dayChanged);
    today = date(2026, 12, 7);
    QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 1, 2000);
}

void DayChangeTest::titleAndMarkFollowTheDay_data() {
    QTest::addColumn<QDate>("before");
    QTest::addColumn<QDate>("after");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("marked");
    QTest::addColumn<int>("week");
    QTest::addColumn<QString>("hint"); // empty: hidden

    QTest::newRow("Friday to Saturday")
        << QDate(2010, 3, 19) << QDate(2010, 3, 20)
        << QStringLiteral("今天是2010年3月20日--星期六 (第3周)") << 5 << 3 << QString();
    QTest::newRow("Sunday to Monday")
        << QDate(2010, 3, 21) << QDate(2010, 3, 22)
        << QStringLiteral("今天是2010年3月22日--星期一 (第4周)") << 0 << 4 << QString();
    QTest::newRow("woken days later")
        << QDate(2010, 3, 19) << QDate(2010, 4, 1)
        << QStringLiteral("今天是2010年4月1日--星期四 (第5周)") << 3 << 5 << QString();
    QTest::newRow("clock set back")
        << QDate(2010, 3, 19) << QDate(2010, 3, 2)
        << QStringLiteral("今天是2010年3月2日--星期二 (第1周)") << 1 << 1 << QString();
    QTest::newRow("into the holidays") << QDate(2010, 8, 1) << QDate(2010, 8, 2)
                                       << QStringLiteral("今天是2010年8月2日--星期一 (第23周)") << 0
                                       << 23 << QStringLiteral("提示：现在不是上课时间！");
    QTest::newRow("out of the holidays")
        << QDate(2010, 2, 28) << QDate(2010, 3, 1)
        << QStringLiteral("今天是2010年3月1日--星期一 (第1周)") << 0 << 1 << QString();
}

void DayChangeTest::titleAndMarkFollowTheDay() {
    QFETCH(QDate, before);
    QFETCH(QDate, after);
    QFETCH(QString, title);
    QFETCH(int, marked);
    QFETCH(int, week);
    QFETCH(QString, hint);

    TestDesktop desk;
    desk.today = date(before.year(), unsigned(before.month()), unsigned(before.day()));
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();

    moveClock(desk, window, date(after.year(), unsigned(after.month()), unsigned(after.day())));
    QCOMPARE(window.windowTitle(), title + kTitleEnd);
    QCOMPARE(markedWeekdays(window), QList<int>{marked});
    QCOMPARE(window.weekShown(), week);
    QLabel* label14 = label(window, QStringLiteral("Label14"));
    QCOMPARE(label14->isHidden(), hint.isEmpty());
    if (!hint.isEmpty()) {
        QCOMPARE(shownHint(window), hint);
        QVERIFY(captions(window).join(QString()).isEmpty());
    } else {
        QCOMPARE(cell(window, 0)->caption(), sampleCaption(0, 0, "甲"));
    }
    QVERIFY(desk.messages.empty());
}

void DayChangeTest::mondayBringsTheNewWeeksClassesFromTheWorkbookAsItIsNow() {
    TestDesktop desk;
    const QString workbook = desk.folder.filePath(QStringLiteral("课表.xlsx"));
    QVERIFY(QFile::copy(sample("windows-timetable.xlsx"), workbook));
    desk.today = date(2010, 5, 2); // Sunday of week 9
    desk.setPath(workbook);
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(cell(window, 12)->caption(), sampleCaption(1, 5, "甲"));

    moveClock(desk, window, date(2010, 5, 3));
    QCOMPARE(window.weekShown(), 10);
    // Weeks from 10 on show the second blocks.
    QCOMPARE(cell(window, 12)->caption(), sampleCaption(1, 5, "乙"));
    QCOMPARE(markedWeekdays(window), QList<int>{0});

    // The workbook is read again, as at start-up: a saved change shows the next morning.
    QVERIFY(QFile::remove(workbook));
    QVERIFY(QFile::copy(sample("layout-typical-xlsxwriter.xlsx"), workbook));
    const QStringList before = captions(window);
    moveClock(desk, window, date(2010, 5, 4));
    QVERIFY(window.hasWorkbook());
    QVERIFY(captions(window) != before);
    QVERIFY(desk.messages.empty());
}

void DayChangeTest::aQueriedWeekStays() {
    TestDesktop desk;
    desk.today = date(2010, 5, 2);
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();

    for (auto query : {+[](MainWindow& w) { w.showWeekQuery(12); },
                       +[](MainWindow& w) { w.showDateQuery(date(2010, 3, 10)); }}) {
        query(window);
        const QString title = window.windowTitle();
        const QStringList grid = captions(window);
        const QList<int> marks = markedWeekdays(window);
        const auto week = window.weekShown();
        moveClock(desk, window, date(2010, 5, 3));
        QCOMPARE(window.weekShown(), week);
        QCOMPARE(captions(window), grid);
        QCOMPARE(markedWeekdays(window), marks);
        // A query's title names the week asked for, not today.
        QCOMPARE(window.windowTitle(), title);
        desk.today = date(2010, 5, 2);
        watcherOf(window)->acknowledge(desk.today);
    }

    // Choosing the workbook again brings back today's week, which then follows the clock.
    desk.workbookToChoose = sample("windows-timetable.xlsx");
    window.choosePath();
    moveClock(desk, window, date(2010, 5, 3));
    QCOMPARE(window.weekShown(), 10);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("今天是2010年5月3日--星期一 (第10周)") + kTitleEnd);
}

void DayChangeTest::alwaysOnTopSurvivesMidnight() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    window.findChild<QAction*>(QStringLiteral("Topmost"))->trigger();
    const QPoint where = window.pos();
    desk.alwaysOnTop.clear();

    moveClock(desk, window, date(2010, 3, 20));
    QVERIFY(window.topmostChecked());
    QVERIFY(desk.alwaysOnTop.empty());
    QCOMPARE(window.pos(), where);
}

void DayChangeTest::anOpenDialogIsNotPulledFromUnderTheStudent() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QString titleWhileOpen;
    QDialog dialog(&window);
    QTimer::singleShot(0, &dialog, [&] {
        moveClock(desk, window, date(2010, 3, 20));
        titleWhileOpen = window.windowTitle();
        dialog.accept();
    });
    dialog.exec();
    // Nothing was reloaded under the open dialog; once it is closed the window catches up.
    QCOMPARE(titleWhileOpen, QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd);
    QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(),
                              QStringLiteral("今天是2010年3月20日--星期六 (第3周)") + kTitleEnd,
                              5000);
    QCOMPARE(markedWeekdays(window), QList<int>{5});
}

QTEST_MAIN(DayChangeTest)
#include "DayChangeTest.moc"
