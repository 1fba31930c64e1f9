// The grid on its own: a week in, its cells, the marked column, the hint and the headings' dates
// out; a grid that stopped part-way leaves the cells after the failure as they were.
#include "gui/TimetableGrid.h"

#include "gui/CellLabel.h"

#include <QLabel>
#include <QtTest>

using namespace orvanto;
using namespace orvanto::gui;

class TimetableGridTest : public QObject {
    Q_OBJECT

  private slots:
    void aWeekFillsEveryCell();
    void aFailurePartWayKeepsTheCellsAfterIt();
    void aShortCompleteGridEmptiesTheRest();
    void onlyTheMarkedColumnIsColoured_data();
    void onlyTheMarkedColumnIsColoured();
    void theHintSaysWhyTheGridIsAsItIs_data();
    void theHintSaysWhyTheGridIsAsItIs();
    void theWeekShownStaysWhenAViewNumbersNone();
};

namespace {

std::chrono::year_month_day date(int y, unsigned m, unsigned d) {
    return std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{m},
                                       std::chrono::day{d}};
}

// A schedule of the default term with no workbook, or with one that cannot be read.
struct Fixture {
    service::Schedule schedule{
        {[] { return date(2010, 3, 19); }, [] { return std::chrono::sys_seconds{}; }}};
    TimetableGrid grid{schedule, nullptr};

    CellLabel* cell(int index) {
        return grid.findChild<CellLabel*>(QStringLiteral("Label13_%1").arg(index));
    }
    QLabel* label(int index) {
        return grid.findChild<QLabel*>(QStringLiteral("Label%1").arg(index));
    }
    QString hint() {
        QLabel* hint = label(14);
        return hint->isHidden() ? QString() : hint->text().remove(QLatin1Char('\n'));
    }
};

// Cell i reads "<tag>i"; the ones in others carry that many classes under them.
service::GridComposition composed(const std::string& tag, std::size_t cells) {
    service::GridComposition grid;
    for (std::size_t i = 0; i < cells; ++i) {
        timetable::GridCell cell;
        cell.caption = tag + std::to_string(i);
        cell.tooltip = "hover " + cell.caption;
        cell.others.resize(i % 3);
        grid.cells.push_back(cell);
    }
    return grid;
}

service::WeekView weekView(std::int16_t week, service::GridComposition grid) {
    service::WeekView view;
    view.week = week;
    view.inTerm = true;
    view.grid = std::move(grid);
    return view;
}

} // namespace

void TimetableGridTest::aWeekFillsEveryCell() {
    Fixture f;
    f.grid.show(weekView(3, composed("a", 35)));
    for (int i = 0; i < 35; ++i) {
        QCOMPARE(f.cell(i)->caption(), QStringLiteral("a%1").arg(i));
        QCOMPARE(f.cell(i)->hoverText(), QStringLiteral("hover a%1").arg(i));
        QCOMPARE(f.cell(i)->otherClasses(), i % 3);
    }
    QCOMPARE(f.grid.weekShown(), 3);
    QCOMPARE(f.hint(), QString());
    // Week 3 of the term that starts on Monday 2010-03-01.
    QCOMPARE(f.label(1)->toolTip(), QStringLiteral("2010年3月15日"));
    QCOMPARE(f.label(7)->toolTip(), QStringLiteral("2010年3月21日"));
}

void TimetableGridTest::aFailurePartWayKeepsTheCellsAfterIt() {
    Fixture f;
    f.grid.show(weekView(3, composed("a", 35)));
    service::GridComposition partial = composed("b", 10);
    partial.failure = core::Failure(core::Status::TypeMismatch);
    partial.failure->cell = "D8";
    partial.failure->shownValue = "#DIV/0!";
    service::WeekView view = weekView(4, partial);
    view.hint = service::Hint::PartlyShown;
    f.grid.show(view);
    for (int i = 0; i < 35; ++i) {
        QCOMPARE(f.cell(i)->caption(), QStringLiteral("%1%2").arg(i < 10 ? "b" : "a").arg(i));
    }
    QCOMPARE(f.hint(), QStringLiteral("提示：课表只显示了一部分，单元格 D8：#DIV/0!"));
}

void TimetableGridTest::aShortCompleteGridEmptiesTheRest() {
    Fixture f;
    f.grid.show(weekView(3, composed("a", 35)));
    f.grid.show(weekView(5, composed("c", 7)));
    QCOMPARE(f.cell(6)->caption(), QStringLiteral("c6"));
    for (int i = 7; i < 35; ++i) {
        QCOMPARE(f.cell(i)->caption(), QString());
        QCOMPARE(f.cell(i)->hoverText(), QString());
        QCOMPARE(f.cell(i)->otherClasses(), 0);
    }
    // A view without a grid leaves the cells as they are.
    service::WeekView noGrid;
    noGrid.week = 6;
    f.grid.show(noGrid);
    QCOMPARE(f.cell(0)->caption(), QStringLiteral("c0"));
}

void TimetableGridTest::onlyTheMarkedColumnIsColoured_data() {
    QTest::addColumn<int>("marked");
    QTest::addColumn<int>("expected"); // -1: none
    QTest::newRow("Monday") << 0 << 0;
    QTest::newRow("Sunday") << 6 << 6;
    QTest::newRow("none") << -1 << -1;
    QTest::newRow("out of range") << 7 << -1;
}

void TimetableGridTest::onlyTheMarkedColumnIsColoured() {
    QFETCH(int, marked);
    QFETCH(int, expected);
    Fixture f;
    service::WeekView first = weekView(3, composed("a", 35));
    first.markedWeekday = 3;
    f.grid.show(first);
    // The next view clears the last mark before it sets its own.
    service::WeekView view = weekView(3, composed("a", 35));
    if (marked >= 0) {
        view.markedWeekday = marked;
    }
    f.grid.show(view);
    for (int d = 0; d < 7; ++d) {
        const QColor want = d == expected ? TimetableGrid::markColour() : QColor(Qt::black);
        QCOMPARE(f.label(d + 1)->palette().color(QPalette::WindowText), want);
        for (int p = 0; p < 5; ++p) {
            QCOMPARE(f.cell(7 * p + d)->palette().color(QPalette::WindowText), want);
        }
    }
}

void TimetableGridTest::theHintSaysWhyTheGridIsAsItIs_data() {
    QTest::addColumn<int>("hint");
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << int(service::Hint::None) << QString() << QString();
    QTest::newRow("no path") << int(service::Hint::NoPath) << QString()
                             << QStringLiteral("提示：请先设置课表路径！");
    QTest::newRow("not class time") << int(service::Hint::NotClassTime) << QString()
                                    << QStringLiteral("提示：现在不是上课时间！");
    QTest::newRow("load failed") << int(service::Hint::LoadFailed)
                                 << QStringLiteral("/no/such/课表.xlsx")
                                 << QStringLiteral("提示：无法读取课表：找不到文件：课表.xlsx");
}

void TimetableGridTest::theHintSaysWhyTheGridIsAsItIs() {
    QFETCH(int, hint);
    QFETCH(QString, workbook);
    QFETCH(QString, text);
    Fixture f;
    if (!workbook.isEmpty()) {
        f.schedule.open({}, {.kind = service::WorkbookSource::Kind::File,
                             .file = std::filesystem::path(workbook.toStdU16String())});
        QVERIFY(f.schedule.loadFailure());
    }
    service::WeekView shown;
    shown.hint = service::Hint::NoPath;
    f.grid.show(shown); // a hint shown before is replaced or hidden
    service::WeekView view;
    view.hint = service::Hint(hint);
    f.grid.show(view);
    QCOMPARE(f.hint(), text);
}

void TimetableGridTest::theWeekShownStaysWhenAViewNumbersNone() {
    Fixture f;
    QCOMPARE(f.grid.weekShown(), 0);
    f.grid.show(weekView(12, composed("a", 35)));
    service::WeekView unnumbered;
    unnumbered.hint = service::Hint::NotClassTime;
    f.grid.show(unnumbered);
    QCOMPARE(f.grid.weekShown(), 12);
    QCOMPARE(f.label(1)->toolTip(), QStringLiteral("2010年5月17日"));
}

QTEST_MAIN(TimetableGridTest)
#include "TimetableGridTest.moc"
