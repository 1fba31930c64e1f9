// 设置 → 导出日历: the save dialog, the file it writes, and what the student is told.
#include "TestDesktop.h"
#include "gui/Desktop.h"
#include "gui/MainWindow.h"

#include <QFileDialog>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class CalendarExportTest : public QObject {
    Q_OBJECT

  private slots:
    void writesTheTermAndSaysHowManyClasses();
    void anUnreadableWeekWritesNothingAndSaysWhich();
    void theOpenWorkbookIsNeverReplacedByTheCalendar();
    void cancelledOrWithoutAWorkbookNothingHappens();
    void saveDialogSettings();
};

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void CalendarExportTest::writesTheTermAndSaysHowManyClasses() {
    TestDesktop desk;
    desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(window.hasWorkbook());
    desk.calendarFileToChoose = desk.folder.filePath(QStringLiteral("课表.ics"));
    window.exportCalendar();

    QCOMPARE(desk.calendarSuggestions,
             QStringList{QStringLiteral(ORVANTO_TEST_DATA "/samples/课表.ics")});
    const QByteArray text = readFile(desk.calendarFileToChoose);
    QVERIFY(text.startsWith("BEGIN:VCALENDAR\r\n"));
    QCOMPARE(text.count("BEGIN:VEVENT"), 11); // one series per block of the sample
    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].icon, QMessageBox::Information);
    QVERIFY2(desk.messages[0].text.contains(QStringLiteral("（11 个日历事件）")),
             qPrintable(desk.messages[0].text));
}

void CalendarExportTest::anUnreadableWeekWritesNothingAndSaysWhich() {
    TestDesktop desk;
    desk.today = date(2010, 3, 8); // week 2 reads fine; week 3 holds #N/A
    desk.setPath(sample("layout-error-week3.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(desk.messages.empty());
    const QString target = desk.folder.filePath(QStringLiteral("课表.ics"));
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier export");
    }
    desk.calendarFileToChoose = target;
    window.exportCalendar();
    QCOMPARE(readFile(target), QByteArray("an earlier export"));
    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);
    QVERIFY2(desk.messages[0].text.contains(QStringLiteral("第3周")),
             qPrintable(desk.messages[0].text));
    QVERIFY(desk.messages[0].text.contains(QStringLiteral("发生错误：13")));
    // ... and names the cell, so the student can mend it.
    QVERIFY2(desk.messages[0].text.endsWith(QStringLiteral("\n单元格 H35：#N/A")),
             qPrintable(desk.messages[0].text));
}

void CalendarExportTest::theOpenWorkbookIsNeverReplacedByTheCalendar() {
    TestDesktop desk;
    const QString workbook = desk.folder.filePath(QStringLiteral("课表.xlsx"));
    QVERIFY(QFile::copy(sample("layout-typical-xlsxwriter.xlsx"), workbook));
    const QString link = desk.folder.filePath(QStringLiteral("课表.ics"));
    QVERIFY(QFile::link(workbook, link));
    desk.setPath(workbook);
    MainWindow window(desk.desktop());
    window.show();
    QVERIFY(window.hasWorkbook());
    const QByteArray before = readFile(workbook);
    for (const QString& chosen : {workbook, link}) {
        desk.messages.clear();
        desk.calendarFileToChoose = chosen;
        window.exportCalendar();
        QCOMPARE(readFile(workbook), before);
        QCOMPARE(desk.messages.size(), std::size_t{1});
        QCOMPARE(desk.messages[0].icon, QMessageBox::Warning);
        QVERIFY2(desk.messages[0].text.startsWith(QStringLiteral("日历没有导出")),
                 qPrintable(desk.messages[0].text));
    }
}

void CalendarExportTest::cancelledOrWithoutAWorkbookNothingHappens() {
    TestDesktop cancelled;
    cancelled.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    MainWindow window(cancelled.desktop());
    window.show();
    window.exportCalendar();
    QCOMPARE(cancelled.calendarSuggestions.size(), 1);
    QVERIFY(cancelled.messages.empty());
    QCOMPARE(QDir(cancelled.folder.path()).entryList({"*.ics"}).size(), 0);

    TestDesktop noPath;
    MainWindow unset(noPath.desktop());
    unset.show();
    noPath.messages.clear();
    unset.exportCalendar();
    QVERIFY(noPath.calendarSuggestions.isEmpty());
    QCOMPARE(noPath.messages.size(), std::size_t{1});
    QCOMPARE(noPath.messages[0].text, QStringLiteral("请先设置课表路径。"));

    TestDesktop notAWorkbook;
    notAWorkbook.setPath(QStringLiteral(ORVANTO_SOURCE_DIR "/README.md"));
    MainWindow unusable(notAWorkbook.desktop());
    unusable.show();
    notAWorkbook.messages.clear();
    unusable.exportCalendar();
    QVERIFY(notAWorkbook.calendarSuggestions.isEmpty());
    QCOMPARE(notAWorkbook.messages.size(), std::size_t{1});
    QCOMPARE(notAWorkbook.messages[0].icon, QMessageBox::Warning);
    // In the student's words, as the status label gives it, never the CLI's English reason.
    QCOMPARE(notAWorkbook.messages[0].text,
             QStringLiteral("课表无法读取，不能导出日历。\n文件不是 Excel 工作簿：README.md"));
}

void CalendarExportTest::saveDialogSettings() {
    QFileDialog dialog;
    setUpCalendarDialog(dialog, QDir::tempPath() + QStringLiteral("/课表.ics"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("iCalendar (*.ics)")});
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("ics"));
    QCOMPARE(dialog.directory().absolutePath(), QDir(QDir::tempPath()).absolutePath());
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("导出日历"));
    QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("保存(&S)"));
}

QTEST_MAIN(CalendarExportTest)
#include "CalendarExportTest.moc"
