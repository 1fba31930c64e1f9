// 设置 → 导入教务课表: the export chosen, previewed, saved as a workbook of ours and shown;
// cancelling at any step, or an export that is no timetable, writes nothing.
#include "TestDesktop.h"
#include "gui/Desktop.h"
#include "gui/ImportPreviewDialog.h"
#include "gui/MainWindow.h"
#include "imports/ImportedClass.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class ImportExportTest : public QObject {
    Q_OBJECT

  private slots:
    void importedClassesAreShownAndPathIniPointsAtTheWorkbook();
    void cancellingAnyStepWritesNothing_data();
    void cancellingAnyStepWritesNothing();
    void anExportWithoutTimetableIsRefusedInChinese();
    void theExportItselfIsNeverOverwritten();
    void aWorkbookThatCannotBeMadeSaysWhy();
    void previewListsClassesAndUnreadTexts();
};

namespace {

// A school's grid export as HTML: Friday 第1,2节 holds one class of weeks 1-16.
const char kExport[] =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td><td>星期四</td><td>星期五</td>"
    "<td>星期六</td><td>星期日</td></tr>"
    "<tr><td>第1,2节</td><td></td><td></td><td></td><td></td>"
    "<td>高等数学<br>张三<br>1-16周<br>A101</td><td></td><td></td></tr>"
    "<tr><td>第3,4节</td><td>实践周见通知</td><td></td><td></td><td></td><td></td><td></td>"
    "<td></td></tr>"
    "</table></body></html>";

} // namespace

void ImportExportTest::importedClassesAreShownAndPathIniPointsAtTheWorkbook() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    window.importExport();

    QCOMPARE(desk.previewedClasses, std::vector<std::size_t>{1});
    QCOMPARE(desk.importSuggestions,
             QStringList{desk.folder.filePath(QStringLiteral("课表.orvanto.xlsx"))});
    QVERIFY(desk.messages.empty());
    QCOMPARE(QString::fromUtf8(desk.readIni()).trimmed(), desk.importedWorkbookToChoose);
    QVERIFY(window.hasWorkbook());
    // 19 March 2010 is the Friday of week 3.
    QCOMPARE(cell(window, 4)->caption(), QStringLiteral("高等数学\r\n张三\r\nA101"));
    QCOMPARE(cell(window, 3)->caption(), QStringLiteral("\r\n\r\n"));
}

void ImportExportTest::cancellingAnyStepWritesNothing_data() {
    QTest::addColumn<bool>("chooseExport");
    QTest::addColumn<bool>("acceptPreview");
    QTest::newRow("open dialog") << false << true;
    QTest::newRow("preview") << true << false;
    QTest::newRow("save dialog") << true << true; // the save dialog returns nothing
}

void ImportExportTest::cancellingAnyStepWritesNothing() {
    QFETCH(bool, chooseExport);
    QFETCH(bool, acceptPreview);
    TestDesktop desk;
    desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    const QByteArray pathIni = desk.readIni();
    MainWindow window(desk.desktop());
    window.show();
    const QString exportFile = writeFile(desk.folder, QStringLiteral("课表.html"), kExport);
    desk.exportToChoose = chooseExport ? exportFile : QString();
    desk.acceptPreview = acceptPreview;
    window.importExport();

    QCOMPARE(desk.readIni(), pathIni);
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("课表.orvanto.xlsx"))));
    QCOMPARE(QDir(desk.folder.path()).entryList(QDir::Files).size(), 2); // path.ini, export
    QVERIFY(desk.messages.empty());
}

void ImportExportTest::anExportWithoutTimetableIsRefusedInChinese() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("名单.html"),
                                    "<html><body><table><tr><td>学号</td><td>姓名</td></tr>"
                                    "</table></body></html>");
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("x.xlsx"));
    window.importExport();

    QVERIFY(desk.previewedClasses.empty());
    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);
    QVERIFY2(desk.messages[0].text.startsWith(QStringLiteral("无法导入教务课表：")),
             qPrintable(desk.messages[0].text));
    QVERIFY(desk.readIni().trimmed().isEmpty()); // as the start-up left it
    QVERIFY(!QFile::exists(desk.importedWorkbookToChoose));
}

void ImportExportTest::theExportItselfIsNeverOverwritten() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.exportToChoose;
    window.importExport();

    QFile exported(desk.exportToChoose);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), QByteArray(kExport));
    QCOMPARE(desk.messages.size(), std::size_t{1});
    QVERIFY(desk.readIni().trimmed().isEmpty()); // as the start-up left it
}

// With no temporary folder the workbook cannot be made: the student is told that, not that
// there were too many classes.
void ImportExportTest::aWorkbookThatCannotBeMadeSaysWhy() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    const QByteArray saved = qgetenv("TMPDIR");
    const bool hadSaved = qEnvironmentVariableIsSet("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(desk.folder.filePath(QStringLiteral("no-such-folder"))));
    window.importExport();
    if (hadSaved) {
        qputenv("TMPDIR", saved);
    } else {
        qunsetenv("TMPDIR");
    }

    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].text,
             QStringLiteral("课表没有保存：无法写入临时文件，请检查临时文件夹是否可写。"));
    QVERIFY(!QFile::exists(desk.importedWorkbookToChoose));
    QVERIFY(desk.readIni().trimmed().isEmpty()); // as the start-up left it
}

void ImportExportTest::previewListsClassesAndUnreadTexts() {
    orvanto::imports::ImportResult result;
    orvanto::imports::ImportedClass entry;
    entry.course = "大学物理";
    entry.teacher = "李四";
    entry.room = "教2-301";
    entry.weekday = 6; // Sunday
    entry.periods = {3, 4};
    for (int week = 1; week <= 15; week += 2) {
        entry.weeks.set(static_cast<std::size_t>(week));
    }
    result.classes.push_back(entry);
    result.unread.push_back({"Sheet1", "C9", "实践周见通知"});
    ImportPreviewDialog dialog(result);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("导入教务课表"));
    auto* classes = dialog.findChild<QTableWidget*>(QStringLiteral("Classes"));
    QVERIFY(classes != nullptr);
    QStringList row;
    for (int column = 0; column < classes->columnCount(); ++column) {
        row << classes->item(0, column)->text();
    }
    QCOMPARE(row, (QStringList{QStringLiteral("星期日"), QStringLiteral("第3-4节"),
                               QStringLiteral("1-15单"), QStringLiteral("大学物理"),
                               QStringLiteral("李四"), QStringLiteral("教2-301")}));
    auto* unread = dialog.findChild<QTableWidget*>(QStringLiteral("Unread"));
    QVERIFY(unread != nullptr);
    QCOMPARE(unread->item(0, 1)->text(), QStringLiteral("C9"));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("UnreadCount"))
                ->text()
                .contains(QStringLiteral("1 处")));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("UnreadSheets")) == nullptr);

    // Worksheets past the count read are named, the first ten of them.
    for (int i = 64; i < 80; ++i) {
        result.unreadSheets.push_back("S" + std::to_string(i));
    }
    ImportPreviewDialog many(result);
    auto* sheets = many.findChild<QLabel*>(QStringLiteral("UnreadSheets"));
    QVERIFY(sheets != nullptr);
    QCOMPARE(sheets->text(), QStringLiteral("另有 16 个工作表未读取（只读取前 64 个）："
                                            "S64、S65、S66、S67、S68、S69、S70、S71、S72、S73、…"));
}

QTEST_MAIN(ImportExportTest)
#include "ImportExportTest.moc"
