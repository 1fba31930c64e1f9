// Week by week in the main window: each key and the wheel from the first week, the last week,
// a queried date and today, against what a week query shows for the week reached.
#include "TestDesktop.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QWheelEvent>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {

const QString kTitleEnd = QStringLiteral("——我的课表——2010年Pellwick春季版");
const QString kTodayTitle = QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd;

enum class Start { Today, FirstWeek, LastWeek, QueriedDate };
enum class Input { PageDown, Right, PageUp, Left, Home, WheelDown, WheelUp };

void press(MainWindow& window, Input input) {
    auto turn = [&window](int notches) {
        // Over a cell, as the window gets it from the label under the pointer.
        CellLabel* over = cell(window, 16);
        const QPointF at = over->mapTo(&window, QRectF(over->rect()).center().toPoint());
        QWheelEvent wheel(at, window.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window, &wheel);
    };
    switch (input) {
    case Input::PageDown:
        return QTest::keyClick(&window, Qt::Key_PageDown);
    case Input::Right:
        return QTest::keyClick(&window, Qt::Key_Right);
    case Input::PageUp:
        return QTest::keyClick(&window, Qt::Key_PageUp);
    case Input::Left:
        return QTest::keyClick(&window, Qt::Key_Left);
    case Input::Home:
        return QTest::keyClick(&window, Qt::Key_Home);
    case Input::WheelDown:
        return turn(-1);
    case Input::WheelUp:
        return turn(1);
    }
}

struct Screen {
    QString title;
    QList<int> marked;
    QStringList grid;
    QString hint;
    QStringList dayDates;
};

Screen screenOf(MainWindow& window) {
    Screen screen{window.windowTitle(),
                  markedWeekdays(window),
                  captions(window),
                  label(window, QStringLiteral("Label14"))->isHidden() ? QString()
                                                                       : shownHint(window),
                  {}};
    for (int d = 1; d <= 7; ++d) {
        screen.dayDates << label(window, QStringLiteral("Label%1").arg(d))->toolTip();
    }
    return screen;
}

} // namespace

Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(Input)

class WeekNavigationTest : public QObject {
    Q_OBJECT

  private slots:
    void keysAndWheel_data();
    void keysAndWheel();
    void nothingMovesWithoutAWorkbook();
};

void WeekNavigationTest::keysAndWheel_data() {
    QTest::addColumn<Start>("start");
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("week"); // reached; 0: today's screen; -1: the screen as it was
    const std::pair<const char*, Start> starts[] = {{"today", Start::Today},
                                                    {"week 1", Start::FirstWeek},
                                                    {"week 22", Start::LastWeek},
                                                    {"15 April", Start::QueriedDate}};
    const std::pair<const char*, Input> inputs[] = {
        {"PgDown", Input::PageDown}, {"Right", Input::Right}, {"PgUp", Input::PageUp},
        {"Left", Input::Left},       {"Home", Input::Home},   {"wheel down", Input::WheelDown},
        {"wheel up", Input::WheelUp}};
    for (const auto& [startName, start] : starts) {
        const int from = start == Start::Today       ? 3
                         : start == Start::FirstWeek ? 1
                         : start == Start::LastWeek  ? 22
                                                     : 7;
        for (const auto& [inputName, input] : inputs) {
            const bool forward =
                input == Input::PageDown || input == Input::Right || input == Input::WheelDown;
            int week = forward ? from + 1 : from - 1;
            if (input == Input::Home) {
                week = 0;
            } else if (week < 1 || week > 22) {
                week = -1;
            }
            QTest::addRow("%s, %s", startName, inputName) << start << input << week;
        }
    }
}

void WeekNavigationTest::keysAndWheel() {
    QFETCH(Start, start);
    QFETCH(Input, input);
    QFETCH(int, week);
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    const Screen today = screenOf(window);
    QCOMPARE(today.title, kTodayTitle);
    switch (start) {
    case Start::Today:
        break;
    case Start::FirstWeek:
        window.showWeekQuery(1);
        break;
    case Start::LastWeek:
        window.showWeekQuery(22);
        break;
    case Start::QueriedDate:
        window.showDateQuery(date(2010, 4, 15));
        break;
    }
    const Screen before = screenOf(window);

    press(window, input);
    const Screen after = screenOf(window);

    if (week == -1) {
        QCOMPARE(after.title, before.title);
        QCOMPARE(after.marked, before.marked);
        QCOMPARE(after.grid, before.grid);
        return;
    }
    if (week == 0) {
        QCOMPARE(after.title, today.title);
        QCOMPARE(after.marked, QList<int>{4});
        QCOMPARE(after.grid, today.grid);
        QCOMPARE(window.weekShown(), 3);
        return;
    }
    // Exactly what the query window's week query shows.
    MainWindow queried(desk.desktop());
    queried.show();
    queried.showWeekQuery(std::int16_t(week));
    const Screen expected = screenOf(queried);
    QCOMPARE(after.title, QStringLiteral("第%1周的课表").arg(week) + kTitleEnd);
    QCOMPARE(after.title, expected.title);
    QCOMPARE(after.marked, QList<int>{});
    QCOMPARE(after.grid, expected.grid);
    QCOMPARE(after.hint, expected.hint);
    QCOMPARE(window.weekShown(), week);
    const char* tag = week >= 10 ? "乙" : "甲";
    QCOMPARE(after.grid[2], sampleCaption(0, 2, tag));
    // The headings name the days of the week reached, Monday to Sunday.
    const QDate monday = QDate(2010, 3, 1).addDays(7 * (week - 1));
    for (int d = 0; d < 7; ++d) {
        const QDate day = monday.addDays(d);
        QCOMPARE(after.dayDates[d],
                 QStringLiteral("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day()));
    }
    QVERIFY(desk.messages.empty());
}

void WeekNavigationTest::nothingMovesWithoutAWorkbook() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    const Screen before = screenOf(window);
    for (Input input : {Input::PageDown, Input::PageUp, Input::Home, Input::WheelDown}) {
        press(window, input);
        QCOMPARE(screenOf(window).title, before.title);
        QCOMPARE(screenOf(window).hint, before.hint);
    }
    QVERIFY(desk.messages.empty());
}

QTEST_MAIN(WeekNavigationTest)
#include "WeekNavigationTest.moc"
