#include "gui/MainWindow.h"

#include "TestDesktop.h"
#include "core/ProgramInfo.h"
#include "gui/RulingLine.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {
const QString kNoPath = QStringLiteral("提示：请先设置课表路径！");
const QString kNotClassTime = QStringLiteral("提示：现在不是上课时间！");
const QString kTitleEnd = QStringLiteral("——我的课表——2010年Pellwick春季版");
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startUpOutcomes_data();
    void startUpOutcomes();
    void loadedGridShowsTodaysWeek();
    void missingPathIniIsCreatedEmpty();
    void compositionFailureKeepsTheRestOfTheGrid();
    void layout();
    void menus();
    void shutdownReleasesTheWorkbookAndQuits();
    void choosingAWorkbookReloadsTodaysWeek();
    void cancellingTheFileDialogChangesNothing();
    void choosingANonWorkbookEmptiesTheGridAndSaysWhy();
    void missingMarkerIsNamedAndNothingIsComposed();
    void outsideTheTermAQueryShowsTheWeek();
    void repeatedStartUpShowsItsHintAgain();
    void failedSaveKeepsThePathAndTellsTheUser();
    void topmostTwiceRestoresTheWindow();
    void startUpTurnsAlwaysOnTopOff();
    void helpUpdateAndAbout();
    void helpTextNamesEveryMenuItem();
    void inquireWithoutPathSaysSo();
};

void MainWindowTest::startUpOutcomes_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QByteArray>("pathIni"); // "<timetable>" stands for the sample's path
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("markedDay");
    QTest::addColumn<QString>("hint"); // empty: Label14 hidden
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("shown"); // the grid holds the week's cells

    const QByteArray timetable = "<timetable>\r\n";
    QTest::newRow("loaded on a Friday")
        << QDate(2010, 3, 19) << timetable
        << QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd << 4 << QString()
        << true << true;
    QTest::newRow("first Monday of the term")
        << QDate(2010, 3, 1) << timetable
        << QStringLiteral("今天是2010年3月1日--星期一 (第1周)") + kTitleEnd << 0 << QString()
        << true << true;
    QTest::newRow("last Sunday of week 22 still loads")
        << QDate(2010, 8, 1) << timetable
        << QStringLiteral("今天是2010年8月1日--星期日 (第22周)") + kTitleEnd << 6 << QString()
        << true << true;
    QTest::newRow("week 23 is not class time")
        << QDate(2010, 8, 2) << timetable
        << QStringLiteral("今天是2010年8月2日--星期一 (第23周)") + kTitleEnd << 0 << kNotClassTime
        << true << false;
    QTest::newRow("before the term: week 0")
        << QDate(2010, 2, 28) << timetable
        << QStringLiteral("今天是2010年2月28日--星期日 (第0周)") + kTitleEnd << 6 << kNotClassTime
        << true << false;
    QTest::newRow("no path wins over not class time")
        << QDate(2010, 8, 2) << QByteArray()
        << QStringLiteral("今天是2010年8月2日--星期一 (第23周)") + kTitleEnd << 0 << kNoPath
        << false << false;
    QTest::newRow("two lines: the second counts")
        << QDate(2010, 3, 19) << QByteArray("/no/such/old.xls\r\n<timetable>\r\n")
        << QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd << 4 << QString()
        << true << true;
    QTest::newRow("empty last line means no path")
        << QDate(2010, 3, 19) << QByteArray("<timetable>\r\n\r\n")
        << QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd << 4 << kNoPath
        << false << false;
    QTest::newRow("workbook no longer there: says so")
        << QDate(2010, 3, 19) << QByteArray("/no/such/timetable.xlsx\r\n")
        << QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd << 4
        << QStringLiteral("提示：无法读取课表：找不到文件：timetable.xlsx") << false << false;
}

void MainWindowTest::startUpOutcomes() {
    QFETCH(QDate, today);
    QFETCH(QByteArray, pathIni);
    QFETCH(QString, title);
    QFETCH(int, markedDay);
    QFETCH(QString, hint);
    QFETCH(bool, loaded);
    QFETCH(bool, shown);

    TestDesktop desk;
    desk.today = date(today.year(), unsigned(today.month()), unsigned(today.day()));
    desk.writeIni(pathIni.replace("<timetable>", sample("windows-timetable.xlsx").toUtf8()));
    MainWindow window(desk.desktop());
    window.show();

    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(markedWeekdays(window), QList<int>{markedDay});
    QLabel* label14 = label(window, QStringLiteral("Label14"));
    QCOMPARE(label14->isHidden(), hint.isEmpty());
    if (!hint.isEmpty()) {
        QCOMPARE(shownHint(window), hint);
    }
    QCOMPARE(window.hasWorkbook(), loaded);
    QCOMPARE(captions(window).join(QString()).isEmpty(), !shown);
    QVERIFY(desk.messages.empty());
    QVERIFY(!window.findChild<QAction*>(QStringLiteral("Topmost"))->isChecked());
    QCOMPARE(desk.readIni(), pathIni); // start-up never rewrites an existing path.ini
}

void MainWindowTest::loadedGridShowsTodaysWeek() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();

    QCOMPARE(window.weekShown(), 3);
    QCOMPARE(window.markers(), (orvanto::timetable::MarkerRows{3, 13, 23, 33, 43, 53}));
    QCOMPARE(cell(window, 0)->caption(), sampleCaption(0, 0, "甲"));
    QCOMPARE(cell(window, 0)->hoverText(), QStringLiteral("课00甲   教室00甲  老师00甲"));
    QCOMPARE(cell(window, 0)->toolTip(), cell(window, 0)->hoverText());
    QCOMPARE(cell(window, 0)->text(), QStringLiteral("课00甲\n教室00甲\n老师00甲"));
    QCOMPARE(cell(window, 33)->caption(), sampleCaption(4, 5, "甲"));
    // Sunday has no classes: three empty lines, no hover text.
    QCOMPARE(cell(window, 34)->caption(), QStringLiteral("\r\n\r\n"));
    QCOMPARE(cell(window, 34)->hoverText(), QString());

    // A week from 10 on shows the second blocks.
    window.showWeekQuery(10);
    QCOMPARE(cell(window, 12)->caption(), sampleCaption(1, 5, "乙"));
    QVERIFY(desk.messages.empty());
}

void MainWindowTest::missingPathIniIsCreatedEmpty() {
    TestDesktop desk;
    {
        MainWindow window(desk.desktop());
        window.show();
        QCOMPARE(label(window, QStringLiteral("Label14"))->text(), kNoPath);
        QVERIFY(!label(window, QStringLiteral("Label14"))->isHidden());
        QVERIFY(desk.iniExists());
        QCOMPARE(desk.readIni(), QByteArray());
    }
    // The next start finds the empty file, says the same and leaves it alone.
    MainWindow again(desk.desktop());
    again.show();
    QCOMPARE(label(again, QStringLiteral("Label14"))->text(), kNoPath);
    QCOMPARE(QFileInfo(desk.iniPath()).size(), 0);
}

void MainWindowTest::compositionFailureKeepsTheRestOfTheGrid() {
    TestDesktop desk;
    desk.setPath(sample("windows-failing.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(desk.messages.empty()); // weeks 1-9 never read the broken cell
    QStringList before = captions(window);

    // Week 10 reaches the #N/A in big period 3 on Monday.
    window.showWeekQuery(10);
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QCOMPARE(desk.messages[0].title, QStringLiteral("错误"));
    QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);
    // The box says where: the cell and what it shows.
    QCOMPARE(desk.messages[0].text,
             QStringLiteral("发生错误：13 (类型不匹配) ，请尝试重新设置课表路径并/或再次启动程序。"
                            "\n单元格 C38：#N/A"));
    // After the box the week cut short is not taken for a free week.
    QCOMPARE(shownHint(window), QStringLiteral("提示：课表只显示了一部分，单元格 C38：#N/A"));
    QStringList after = captions(window);
    for (int i = 0; i < 35; ++i) {
        int period = i / 7;
        int day = i % 7;
        if (i < 21 && day < 6) {
            QCOMPARE(after[i], sampleCaption(period, day, "乙"));
        } else {
            QCOMPARE(after[i], before[i]);
        }
    }
    QCOMPARE(window.weekShown(), 10);
    QCOMPARE(window.windowTitle(), QStringLiteral("第10周的课表") + kTitleEnd);

    // The reason stays until the next query, which reads a week without the broken cell.
    window.showWeekQuery(3);
    QVERIFY(label(window, QStringLiteral("Label14"))->isHidden());
    QCOMPARE(desk.messages.size(), std::size_t(1));
}

void MainWindowTest::layout() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("我的课表"));
    QVERIFY(window.findChild<QAction*>(QStringLiteral("Topmost"))->isChecked());
    window.show();

    QWidget* client = window.centralWidget();
    QCOMPARE(client->size(), QSize(884, 544));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);

    QCOMPARE(cell(window, 0)->geometry(), QRect(104, 64, 97, 89));
    QCOMPARE(cell(window, 34)->geometry(), QRect(776, 448, 97, 89));
    QCOMPARE(label(window, QStringLiteral("Label7"))->text(), QStringLiteral("星期天"));
    QCOMPARE(label(window, QStringLiteral("Label8"))->text(),
             QStringLiteral("第一大节   （早上）"));
    QLabel* label14 = label(window, QStringLiteral("Label14"));
    QCOMPARE(label14->geometry(), QRect(352, 160, 225, 49));
    QCOMPARE(label14->font().pointSizeF(), 12.0);
    QCOMPARE(cell(window, 0)->font().pointSizeF(), 9.0);
    QCOMPARE(label(window, QStringLiteral("Label1"))->font().pointSizeF(), 10.5);
    QVERIFY(cell(window, 0)->autoFillBackground());
    QVERIFY(cell(window, 0)->wordWrap());

    // The hint covers cells 9 to 11 and lies above them.
    QCOMPARE(client->childAt(QPoint(400, 170)), label14);

    const QList<RulingLine*> lines = client->findChildren<RulingLine*>();
    QCOMPARE(lines.size(), 5);
    const QObjectList& stack = client->children();
    qsizetype lastCell = stack.indexOf(cell(window, 34));
    struct Expected {
        const char* name;
        int y;
        QColor colour;
        int width;
    };
    for (const Expected& e : {Expected{"Line0", 64, QColor(255, 128, 0), 2},
                              Expected{"Line3", 152, QColor(0, 192, 0), 1},
                              Expected{"Line1", 248, QColor(255, 128, 0), 2},
                              Expected{"Line4", 344, QColor(0, 192, 0), 1},
                              Expected{"Line2", 440, QColor(255, 128, 0), 2}}) {
        auto* line = client->findChild<RulingLine*>(QString::fromLatin1(e.name));
        QVERIFY2(line != nullptr, e.name);
        QCOMPARE(line->y(), e.y);
        QCOMPARE(line->colour(), e.colour);
        QCOMPARE(line->lineWidth(), e.width);
        QVERIFY(line->width() >= 884);
        QVERIFY(stack.indexOf(line) > lastCell); // drawn above the cells
        QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    // Hover texts of cells under a line still work: the line is not what the mouse finds.
    QCOMPARE(client->childAt(QPoint(150, 152)), cell(window, 0));
}

void MainWindowTest::menus() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    const QList<QPair<QString, QString>> items = {{"Set", "设置(&S)"},
                                                  {"Path", "课表路径(&P)"},
                                                  {"Inquire", "查询方式(&I)"},
                                                  {"Topmost", "窗口置顶(&T)"},
                                                  {"Help", "帮助(&H)"},
                                                  {"File", "帮助文档...(&F)"},
                                                  {"Update", "检查更新...(&U)"},
                                                  {"About", "关于(&A)"},
                                                  {"Term", "学期设置...(&E)"},
                                                  {"Calendar", "导出日历...(&C)"},
                                                  {"Import", "导入教务课表...(&D)"},
                                                  {"Check", "检查课表...(&K)"}};
    for (const auto& [name, caption] : items) {
        auto* action = window.findChild<QAction*>(name);
        QVERIFY2(action != nullptr, qPrintable(name));
        QCOMPARE(action->text(), caption);
        QVERIFY(action->shortcut().isEmpty());
    }
    QVERIFY(window.findChild<QAction*>(QStringLiteral("divide2"))->isSeparator());
    QVERIFY(window.findChild<QAction*>(QStringLiteral("divide"))->isSeparator());
    auto* set = window.findChild<QMenu*>(QStringLiteral("Set"));
    // The term, calendar, import and check items come after the original four.
    QCOMPARE(set->actions().size(), 8);
    QCOMPARE(set->actions()[3]->objectName(), QStringLiteral("Topmost"));
    QCOMPARE(set->actions()[4]->objectName(), QStringLiteral("Term"));
    QCOMPARE(set->actions()[5]->objectName(), QStringLiteral("Calendar"));
    QCOMPARE(set->actions()[6]->objectName(), QStringLiteral("Import"));
    QCOMPARE(set->actions()[7]->objectName(), QStringLiteral("Check"));
    QCOMPARE(window.menuBar()->actions().size(), 2);
}

void MainWindowTest::shutdownReleasesTheWorkbookAndQuits() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow loaded(desk.desktop());
    loaded.show();
    QVERIFY(loaded.hasWorkbook());
    QVERIFY(loaded.close());
    QVERIFY(!loaded.hasWorkbook());
    QCOMPARE(desk.quits, 1);

    TestDesktop empty;
    MainWindow never(empty.desktop());
    never.show();
    QVERIFY(never.close());
    QCOMPARE(empty.quits, 1);
}

void MainWindowTest::choosingAWorkbookReloadsTodaysWeek() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(!window.hasWorkbook());

    QString workbook = sample("windows-timetable.xlsx");
    desk.workbookToChoose = workbook;
    window.findChild<QAction*>(QStringLiteral("Path"))->trigger();
    QCOMPARE(desk.fileDialogs, 1);
    QCOMPARE(desk.readIni(), workbook.toUtf8() + "\r\n");
    QVERIFY(window.hasWorkbook());
    QCOMPARE(window.workbookPath(), workbook);
    QVERIFY(label(window, QStringLiteral("Label14"))->isHidden());
    QCOMPARE(cell(window, 4)->caption(), sampleCaption(0, 4, "甲"));

    // After a query, choosing the same workbook again brings back today's week and mark.
    window.showDateQuery(date(2010, 6, 1));
    QCOMPARE(markedWeekdays(window), QList<int>{1});
    window.findChild<QAction*>(QStringLiteral("Path"))->trigger();
    QCOMPARE(desk.readIni(), workbook.toUtf8() + "\r\n");
    QCOMPARE(window.weekShown(), 3);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("今天是2010年3月19日--星期五 (第3周)") + kTitleEnd);
    QCOMPARE(markedWeekdays(window), QList<int>{4});
    QCOMPARE(cell(window, 4)->caption(), sampleCaption(0, 4, "甲"));
    QVERIFY(desk.messages.empty());
}

void MainWindowTest::cancellingTheFileDialogChangesNothing() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    window.showDateQuery(date(2010, 5, 12));
    QStringList grid = captions(window);
    QString title = window.windowTitle();

    desk.workbookToChoose.clear();
    window.choosePath();
    QCOMPARE(desk.fileDialogs, 1);
    QCOMPARE(desk.readIni(), sample("windows-timetable.xlsx").toUtf8() + "\r\n");
    QCOMPARE(markedWeekdays(window), QList<int>{2}); // the Wednesday mark stays
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.weekShown(), 11);
    QCOMPARE(captions(window), grid);
}

void MainWindowTest::choosingANonWorkbookEmptiesTheGridAndSaysWhy() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(!captions(window).join(QString()).isEmpty());
    QString notAWorkbook = desk.folder.filePath(QStringLiteral("notes.xls"));
    QFile file(notAWorkbook);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just some text, not a workbook\n");
    file.close();

    desk.workbookToChoose = notAWorkbook;
    window.choosePath();
    QCOMPARE(desk.readIni(), notAWorkbook.toUtf8() + "\r\n");
    QVERIFY(!window.hasWorkbook()); // the earlier workbook is released
    QVERIFY(captions(window).join(QString()).isEmpty());
    QCOMPARE(shownHint(window),
             QStringLiteral("提示：无法读取课表：文件不是 Excel 工作簿：notes.xls"));
    QCOMPARE(markedWeekdays(window), QList<int>{4});
    QVERIFY(desk.messages.empty());

    // A query says the same, with no 1004 box and no cells.
    window.showWeekQuery(20);
    QVERIFY(!label(window, QStringLiteral("Label14"))->isHidden());
    QCOMPARE(shownHint(window),
             QStringLiteral("提示：无法读取课表：文件不是 Excel 工作簿：notes.xls"));
    QVERIFY(captions(window).join(QString()).isEmpty());
    QVERIFY(desk.messages.empty());
}

void MainWindowTest::missingMarkerIsNamedAndNothingIsComposed() {
    TestDesktop desk;
    // Its 第12节 stands below row 200, where the search does not reach.
    desk.setPath(sample("layout-marker-below-200.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    const QString hint = QStringLiteral("提示：无法读取课表：缺少节次标记“第12节”");
    QCOMPARE(shownHint(window), hint);
    window.showWeekQuery(3);
    QVERIFY(desk.messages.empty());
    QVERIFY(captions(window).join(QString()).isEmpty());
    QCOMPARE(shownHint(window), hint);
}

void MainWindowTest::outsideTheTermAQueryShowsTheWeek() {
    TestDesktop desk;
    desk.today = date(2010, 8, 20);
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(label(window, QStringLiteral("Label14"))->text(), kNotClassTime);
    QVERIFY(captions(window).join(QString()).isEmpty());

    window.showWeekQuery(3);
    QVERIFY(label(window, QStringLiteral("Label14"))->isHidden());
    QCOMPARE(cell(window, 0)->caption(), sampleCaption(0, 0, "甲"));
    QVERIFY(desk.messages.empty());
}

void MainWindowTest::repeatedStartUpShowsItsHintAgain() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(label(window, QStringLiteral("Label14"))->isHidden());

    desk.today = date(2010, 8, 2); // the program ran past the term
    desk.workbookToChoose = sample("windows-timetable.xlsx");
    window.choosePath();
    QLabel* label14 = label(window, QStringLiteral("Label14"));
    QVERIFY(!label14->isHidden());
    QCOMPARE(label14->text(), kNotClassTime);
    QCOMPARE(markedWeekdays(window), QList<int>{0});
}

void MainWindowTest::failedSaveKeepsThePathAndTellsTheUser() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    window.showDateQuery(date(2010, 3, 9));

    // path.ini's folder disappears: the new path cannot be saved.
    window.desktop().settings = orvanto::settings::SettingsLocation::besideProgram(
        toFilesystemPath(desk.folder.filePath("gone")));
    desk.workbookToChoose = sample("windows-failing.xlsx");
    window.choosePath();
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QCOMPARE(desk.messages[0].title, QStringLiteral("错误"));
    QVERIFY(window.hasWorkbook());
    QCOMPARE(window.workbookPath(), sample("windows-timetable.xlsx"));
    QCOMPARE(markedWeekdays(window), QList<int>{1});
    QCOMPARE(window.weekShown(), 2);
}

void MainWindowTest::topmostTwiceRestoresTheWindow() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    auto* topmost = window.findChild<QAction*>(QStringLiteral("Topmost"));
    desk.alwaysOnTop.clear();

    topmost->trigger();
    QVERIFY(window.topmostChecked());
    topmost->trigger();
    QVERIFY(!window.topmostChecked());
    QCOMPARE(desk.alwaysOnTop.size(), std::size_t(2));
    QCOMPARE(desk.alwaysOnTop[0], (std::pair<QWidget*, bool>{&window, true}));
    QCOMPARE(desk.alwaysOnTop[1], (std::pair<QWidget*, bool>{&window, false}));
}

void MainWindowTest::startUpTurnsAlwaysOnTopOff() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    window.findChild<QAction*>(QStringLiteral("Topmost"))->trigger();
    desk.alwaysOnTop.clear();

    desk.workbookToChoose = sample("windows-timetable.xlsx");
    window.choosePath();
    QVERIFY(!window.topmostChecked());
    QCOMPARE(desk.alwaysOnTop.size(), std::size_t(1));
    QCOMPARE(desk.alwaysOnTop[0], (std::pair<QWidget*, bool>{&window, false}));
}

void MainWindowTest::helpUpdateAndAbout() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();

    window.findChild<QAction*>(QStringLiteral("File"))->trigger();
    QCOMPARE(desk.openedFiles,
             QStringList{desk.folder.path() + QStringLiteral("/" ORVANTO_HELP_FILE_NAME)});

    QVERIFY(desk.messages.empty());
    // No program for it: the box says where the file is.
    desk.textViewerWorks = false;
    window.findChild<QAction*>(QStringLiteral("File"))->trigger();
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);
    QVERIFY(desk.messages[0].text.startsWith(QStringLiteral("提示：打开帮助文档错误！\n")));
    QVERIFY2(desk.messages[0].text.endsWith(QStringLiteral("\n") + desk.folder.path() +
                                            QStringLiteral("/" ORVANTO_HELP_FILE_NAME)),
             qPrintable(desk.messages[0].text));
    desk.messages.clear();

    window.findChild<QAction*>(QStringLiteral("Update"))->trigger();
    QVERIFY(desk.messages.empty());
    desk.browserWorks = false;
    window.findChild<QAction*>(QStringLiteral("Update"))->trigger();
    QCOMPARE(desk.openedAddresses.size(), 2);
    QVERIFY(desk.openedAddresses[0].startsWith(QStringLiteral("http")));
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QCOMPARE(desk.messages[0].text, QStringLiteral("提示：调用浏览器错误！"));
    QCOMPARE(desk.messages[0].title, QStringLiteral("错误"));
    QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);

    window.findChild<QAction*>(QStringLiteral("About"))->trigger();
    QCOMPARE(desk.aboutBoxes, 1);
    QVERIFY(!desk.aboutTopmost);
    window.findChild<QAction*>(QStringLiteral("Topmost"))->trigger();
    window.findChild<QAction*>(QStringLiteral("About"))->trigger();
    QVERIFY(desk.aboutTopmost);
}

// The help text is the student's manual: a menu item it does not name is one nobody explains.
void MainWindowTest::helpTextNamesEveryMenuItem() {
    QFile file(QStringLiteral(ORVANTO_SOURCE_DIR "/resources/" ORVANTO_HELP_FILE_NAME));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    // "学期设置...(&E)" and "检查课表 (3)..." are named as 学期设置 and 检查课表.
    const QRegularExpression decoration(QStringLiteral("\\(&.\\)|\\.\\.\\.| \\(\\d+\\)"));
    int named = 0;
    for (QAction* menu : window.menuBar()->actions()) {
        QList<QAction*> entries{menu};
        entries << menu->menu()->actions();
        for (QAction* entry : entries) {
            const QString caption = entry->text().remove(decoration).trimmed();
            if (entry->isSeparator() || caption.isEmpty()) {
                continue;
            }
            QVERIFY2(help.contains(caption), qPrintable(caption));
            ++named;
        }
    }
    QVERIFY(named >= 12);
}

void MainWindowTest::inquireWithoutPathSaysSo() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    window.findChild<QAction*>(QStringLiteral("Inquire"))->trigger();
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QCOMPARE(desk.messages[0].text, QStringLiteral("请先设置课表路径。"));
    QCOMPARE(desk.messages[0].title, QStringLiteral("提示"));
    QCOMPARE(desk.messages[0].icon, QMessageBox::Information);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
