// What the viewer says about a workbook whose writing hides classes: the count on the 设置 menu
// and its 检查课表 item, never over a cell, and the list under 设置 → 检查课表; and a cell where
// two classes meet.
#include "TestDesktop.h"
#include "gui/CellLabel.h"
#include "gui/MainWindow.h"

#include <QMenu>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class CheckTimetableMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void findingsAreCountedOnTheMenuAndListed();
    void aSoundWorkbookLeavesTheLabelHiddenAndSaysSo();
    void aCellWhereTwoClassesMeetIsBadgedAndNamesBoth();
    void theTermDecidesLikeTheCommandLine();
    void withoutAWorkbookTheCheckSaysWhy();
    void aLoadFailureReadsAsInEveryOtherBox_data();
    void aLoadFailureReadsAsInEveryOtherBox();
};

namespace {

QString checkItemText(MainWindow& window) {
    return window.findChild<QAction*>(QStringLiteral("Check"))->text();
}

QString setMenuTitle(MainWindow& window) {
    return window.findChild<QMenu*>(QStringLiteral("Set"))->title();
}

} // namespace

void CheckTimetableMenuTest::findingsAreCountedOnTheMenuAndListed() {
    TestDesktop desk;
    desk.setPath(sample("layout-second-sheet-active.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(window.findings().size(), std::size_t{4});
    QCOMPARE(checkItemText(window), QStringLiteral("检查课表 (4)...(&K)"));
    QCOMPARE(setMenuTitle(window), QStringLiteral("设置 (4)(&S)"));
    // The status label keeps to an empty grid: every one of the 35 cells is seen, none under it.
    QVERIFY(!label(window, QStringLiteral("Label14"))->isVisible());
    for (int i = 0; i < 35; ++i) {
        CellLabel* shown = cell(window, i);
        QVERIFY(shown->isVisible());
        QCOMPARE(window.centralWidget()->childAt(shown->geometry().center()), shown);
    }

    window.findChild<QAction*>(QStringLiteral("Check"))->trigger();
    QCOMPARE(desk.messages.size(), std::size_t{1});
    const Message& list = desk.messages[0];
    QCOMPARE(list.icon, QMessageBox::Warning);
    QVERIFY(list.text.startsWith(QStringLiteral("有 4 处写法可能让课程不显示：\n")));
    for (const auto& finding : window.findings()) {
        QVERIFY2(list.text.contains(QString::fromStdString(finding.line)), qPrintable(list.text));
    }
    QVERIFY(list.text.contains(QStringLiteral("工作表“备注”：")));
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
    QCOMPARE(checkItemText(window), QStringLiteral("检查课表...(&K)"));
    QCOMPARE(setMenuTitle(window), QStringLiteral("设置(&S)"));
}

void CheckTimetableMenuTest::aCellWhereTwoClassesMeetIsBadgedAndNamesBoth() {
    TestDesktop desk;
    desk.setPath(sample("layout-week-patterns.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(checkItemText(window), QStringLiteral("检查课表 (3)...(&K)"));
    // Week 3, Tuesday morning: 短课 above 长课, both meeting.
    window.showWeekQuery(3);
    CellLabel* both = cell(window, 1);
    QCOMPARE(both->caption(), QStringLiteral("短课\r\n丙老师\r\n教2-201"));
    QCOMPARE(both->otherClasses(), 1);
    QCOMPARE(both->hoverText(), QStringLiteral("短课   丙老师  教2-201\n长课   丁老师  教2-202"));
    QVERIFY(both->rect().contains(both->badgeRect()));
    // Week 6: 长课 alone; the badge goes with the class it counted.
    window.showWeekQuery(6);
    QCOMPARE(both->caption(), QStringLiteral("长课\r\n丁老师\r\n教2-202"));
    QCOMPARE(both->otherClasses(), 0);
    QVERIFY(both->badgeRect().isEmpty());
    for (int i = 0; i < 35; ++i) {
        QCOMPARE(cell(window, i)->otherClasses(), 0);
    }
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

// The box words the failure as the status label and 导出日历 do, never in the reader's English.
void CheckTimetableMenuTest::aLoadFailureReadsAsInEveryOtherBox_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QStringLiteral("/no/such/课表.xlsx")
                             << QStringLiteral("找不到文件：课表.xlsx");
    QTest::newRow("encrypted") << QStringLiteral(ORVANTO_TEST_DATA "/bad/xls-encrypted.xls")
                               << QStringLiteral("工作簿设有密码：xls-encrypted.xls");
    QTest::newRow("truncated") << QStringLiteral(ORVANTO_TEST_DATA "/bad/xls-truncated.xls")
                               << QStringLiteral("文件不完整：xls-truncated.xls");
}

void CheckTimetableMenuTest::aLoadFailureReadsAsInEveryOtherBox() {
    QFETCH(QString, workbook);
    QFETCH(QString, reason);
    TestDesktop desk;
    desk.setPath(workbook);
    MainWindow window(desk.desktop());
    window.show();
    window.checkTimetable();
    QCOMPARE(desk.messages.back().text, QStringLiteral("课表无法读取，不能检查。\n") + reason);
    window.exportCalendar();
    QCOMPARE(desk.messages.back().text, QStringLiteral("课表无法读取，不能导出日历。\n") + reason);
}

QTEST_MAIN(CheckTimetableMenuTest)
#include "CheckTimetableMenuTest.moc"
