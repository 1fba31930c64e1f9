// What the viewer says about a workbook whose writing hides classes: the status label after the
// load, and the list under 设置 → 检查课表.
#include "TestDesktop.h"
#include "gui/MainWindow.h"

#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class CheckTimetableMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void findingsAreCountedInTheStatusLabelAndListed();
    void aSoundWorkbookLeavesTheLabelHiddenAndSaysSo();
    void theTermDecidesLikeTheCommandLine();
    void withoutAWorkbookTheCheckSaysWhy();
};

void CheckTimetableMenuTest::findingsAreCountedInTheStatusLabelAndListed() {
    TestDesktop desk;
    desk.setPath(sample("layout-second-sheet-active.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(window.findings().size(), std::size_t{4});
    QLabel* hint = label(window, QStringLiteral("Label14"));
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("有 4 处写法可能让课程不显示"));

    window.findChild<QAction*>(QStringLiteral("Check"))->trigger();
    QCOMPARE(desk.messages.size(), std::size_t{1});
    const Message& list = desk.messages[0];
    QCOMPARE(list.icon, QMessageBox::Warning);
    QVERIFY(list.text.startsWith(QStringLiteral("有 4 处写法可能让课程不显示：\n")));
    for (const auto& finding : window.findings()) {
        QVERIFY2(list.text.contains(QString::fromStdString(finding.line)), qPrintable(list.text));
    }
    QVERIFY(list.text.contains(QStringLiteral("工作表“备注”：")));

    // A week query shows the grid again; the label gives way to it.
    window.showWeekQuery(5);
    QVERIFY(!hint->isVisible());
}

void CheckTimetableMenuTest::aSoundWorkbookLeavesTheLabelHiddenAndSaysSo() {
    TestDesktop desk;
    desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(window.findings().empty());
    QVERIFY(!label(window, QStringLiteral("Label14"))->isVisible());
    window.checkTimetable();
    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].icon, QMessageBox::Information);
    QCOMPARE(desk.messages[0].text, QStringLiteral("没有发现可能让课程不显示的写法。"));
}

void CheckTimetableMenuTest::theTermDecidesLikeTheCommandLine() {
    TestDesktop desk;
    desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    QFile term(desk.folder.filePath(QStringLiteral("term.ini")));
    QVERIFY(term.open(QIODevice::WriteOnly));
    term.write("[term]\nstart=2010-03-01\nweeks=2\n");
    term.close();
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(window.term().weeks, 2);
    // {第10-12周}, {第3-18周}, {第9-16周}双周 and {第5-12周} name no week of a 2-week term.
    QCOMPARE(window.findings().size(), std::size_t{4});
}

void CheckTimetableMenuTest::withoutAWorkbookTheCheckSaysWhy() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    window.checkTimetable();
    QCOMPARE(desk.messages.back().text, QStringLiteral("请先设置课表路径。"));

    TestDesktop broken;
    broken.setPath(QStringLiteral("/no/such/课表.xlsx"));
    MainWindow other(broken.desktop());
    other.show();
    other.checkTimetable();
    QVERIFY(broken.messages.back().text.startsWith(QStringLiteral("课表无法读取，不能检查。\n")));
}

QTEST_MAIN(CheckTimetableMenuTest)
#include "CheckTimetableMenuTest.moc"
