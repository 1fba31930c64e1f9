// The import preview driven as a student would: another reading chosen, cells edited through
// their editors, rows deleted and added, an unread text made a class, a refused week text,
// a save that fails and is tried again, and the term the export names proposed afterwards.
#include "TestDesktop.h"
#include "gui/ImportPreviewDialog.h"
#include "gui/MainWindow.h"
#include "gui/TermDialog.h"
#include "imports/ExportReader.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;
namespace imports = orvanto::imports;

class ImportPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void choosingARunnerUpReadsTheFileAgain();
    void anotherReadingAsksBeforeDroppingTheChanges_data();
    void anotherReadingAsksBeforeDroppingTheChanges();
    void theQuestionKeepsTheChangesOnEnter();
    void editsDeletionsAdditionsAndMadeClassesAreWhatIsWritten();
    void aTextThatIsNoWeekSetIsRefusedInPlace_data();
    void aTextThatIsNoWeekSetIsRefusedInPlace();
    void anUnfinishedRowKeepsThePreviewOpen();
    void aFailedSaveAsksAgainAndKeepsTheEdits();
    void theTermTheExportNamesIsProposed_data();
    void theTermTheExportNamesIsProposed();
    void outsideItsTermTheHintGivesTheTermsDates();
    void anExportChosenAsTheTimetableIsOfferedToTheImport_data();
    void anExportChosenAsTheTimetableIsOfferedToTheImport();
};

namespace {

// Friday 第1,2节 高等数学, Tuesday 第1,2节 线性代数, Monday 第3,4节 a text that is no class.
const char kExport[] =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td><td>星期四</td><td>星期五</td>"
    "<td>星期六</td><td>星期日</td></tr>"
    "<tr><td>第1,2节</td><td></td><td>线性代数<br>李四<br>1-16周<br>B202</td><td></td><td></td>"
    "<td>高等数学<br>张三<br>1-16周<br>A101</td><td></td><td></td></tr>"
    "<tr><td>第3,4节</td><td>实践周见通知</td><td></td><td></td><td></td><td></td><td></td>"
    "<td></td></tr>"
    "</table></body></html>";

// Two names in each cell: which is the course, only the student can say.
const char kAmbiguousExport[] =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td><td>星期四</td><td>星期五</td>"
    "<td>星期六</td><td>星期日</td></tr>"
    "<tr><td>第1,2节</td><td>张三;李四;1-16周;A101</td><td>王五;赵六;1-8周;B202</td><td></td>"
    "<td></td><td></td><td></td><td></td></tr>"
    "</table></body></html>";

// The same, and a text on Wednesday that no reading takes for a class.
const char kAmbiguousExportWithNote[] =
    "<html><head><meta charset=\"utf-8\"></head><body><table>"
    "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td><td>星期四</td><td>星期五</td>"
    "<td>星期六</td><td>星期日</td></tr>"
    "<tr><td>第1,2节</td><td>张三;李四;1-16周;A101</td><td>王五;赵六;1-8周;B202</td>"
    "<td>实践周见通知</td><td></td><td></td><td></td><td></td></tr>"
    "</table></body></html>";

QTableWidget* classTable(ImportPreviewDialog& preview) {
    return preview.findChild<QTableWidget*>(QStringLiteral("Classes"));
}

// The row whose course is this text; -1 when none is.
int rowOf(ImportPreviewDialog& preview, const QString& course) {
    QTableWidget* table = classTable(preview);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, ImportPreviewDialog::CourseColumn)->text() == course) {
            return row;
        }
    }
    return -1;
}

// Opens the cell's own editor, lets set put a value in it, and commits it as Enter would,
// without a window to hold the keyboard focus.
template <typename Editor>
void editCell(ImportPreviewDialog& preview, int row, int column,
              const std::function<void(Editor&)>& set) {
    QTableWidget* table = classTable(preview);
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    auto* editor = table->viewport()->findChild<Editor*>();
    QVERIFY(editor != nullptr);
    set(*editor);
    emit table->itemDelegate()->commitData(editor);
    emit table->itemDelegate()->closeEditor(editor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void typeInto(ImportPreviewDialog& preview, int row, int column, const QString& text) {
    editCell<QLineEdit>(preview, row, column, [&text](QLineEdit& line) { line.setText(text); });
}

void chooseIn(ImportPreviewDialog& preview, int row, int column, const QString& entry) {
    editCell<QComboBox>(preview, row, column,
                        [&entry](QComboBox& box) { box.setCurrentIndex(box.findText(entry)); });
}

imports::ImportResult readOrFail(const QString& path) {
    auto read = imports::readExportFile(toFilesystemPath(path));
    return read ? *read : imports::ImportResult{};
}

// Runs act on the modal term window once it opens; false when none opened.
bool withTermDialog(const std::function<void()>& open,
                    const std::function<void(TermDialog&)>& act) {
    bool reached = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TermDialog*>(QApplication::activeModalWidget())) {
            reached = true;
            act(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
    open();
    QCoreApplication::processEvents(); // a timer left unfired finds no window later
    return reached;
}

} // namespace

void ImportPreviewTest::choosingARunnerUpReadsTheFileAgain() {
    QTemporaryDir folder;
    const QString path = writeFile(folder, QStringLiteral("课表.html"), kAmbiguousExport);
    int reads = 0;
    ImportPreviewDialog preview(readOrFail(path), [&](const imports::ReadingChoice& choice) {
        ++reads;
        return imports::readExportFile(toFilesystemPath(path), choice);
    });
    auto* readings = preview.findChild<QComboBox*>(QStringLiteral("Readings"));
    auto* reading = preview.findChild<QLabel*>(QStringLiteral("Reading"));
    QVERIFY(readings->count() > 2);
    QVERIFY2(
        reading->text().contains(QStringLiteral("每门课：课程 / 教师 / 周次 / 教室，以“;”分隔")),
        qPrintable(reading->text()));
    QVERIFY(readings->itemText(1).contains(QStringLiteral("（解释了 2/2 个单元格）")));
    const QString courseFirst = classTable(preview)->item(0, 3)->text();

    // The first runner-up puts the teacher first: the table is read again under it.
    const QString chosen = readings->itemText(1);
    readings->setCurrentIndex(1);
    QCOMPARE(reads, 1);
    QCOMPARE(readings->currentIndex(), 0);
    QCOMPARE(readings->itemText(0), chosen);
    QVERIFY(reading->text().contains(chosen));
    QCOMPARE(classTable(preview)->item(0, 3)->text(), QStringLiteral("李四"));
    QCOMPARE(classTable(preview)->item(0, 4)->text(), courseFirst);
    QCOMPARE(preview.findChild<QLabel*>(QStringLiteral("ClassesCount"))->text(),
             QStringLiteral("识别出的课程：2 门"));
    // And back: the reading left is a runner-up now.
    const int back = readings->findText(readings->itemText(0) == chosen ? readings->itemText(1)
                                                                        : readings->itemText(0));
    readings->setCurrentIndex(back);
    QCOMPARE(reads, 2);
}

void ImportPreviewTest::anotherReadingAsksBeforeDroppingTheChanges_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asked");
    QTest::newRow("cell edited, 否") << QStringLiteral("cell") << false << true;
    QTest::newRow("cell edited, 是") << QStringLiteral("cell") << true << true;
    QTest::newRow("row deleted, 否") << QStringLiteral("delete") << false << true;
    QTest::newRow("row added, 否") << QStringLiteral("add") << false << true;
    QTest::newRow("unread text made a class, 否") << QStringLiteral("unread") << false << true;
    QTest::newRow("unread text made a class, 是") << QStringLiteral("unread") << true << true;
    QTest::newRow("cells closed on what they held") << QStringLiteral("same") << false << false;
}

void ImportPreviewTest::anotherReadingAsksBeforeDroppingTheChanges() {
    QFETCH(QString, change);
    QFETCH(bool, answerYes);
    QFETCH(bool, asked);
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose =
        writeFile(desk.folder, QStringLiteral("课表.html"), kAmbiguousExportWithNote);
    desk.answerYes = answerYes;
    desk.acceptPreview = false;
    bool reached = false;
    desk.editPreview = [&](ImportPreviewDialog& preview) {
        QTableWidget* table = classTable(preview);
        auto* readings = preview.findChild<QComboBox*>(QStringLiteral("Readings"));
        QVERIFY(readings->count() > 2);
        QCOMPARE(table->rowCount(), 2);
        const QString inUse = readings->itemText(0);
        const QString other = readings->itemText(1);
        if (change == QStringLiteral("cell")) {
            typeInto(preview, 0, ImportPreviewDialog::TeacherColumn, QStringLiteral("王老师"));
        } else if (change == QStringLiteral("delete")) {
            preview.removeClasses({1});
        } else if (change == QStringLiteral("add")) {
            preview.addClass();
        } else if (change == QStringLiteral("unread")) {
            QCOMPARE(preview.makeClassOfUnread(0), 2);
        } else {
            typeInto(preview, 0, ImportPreviewDialog::TeacherColumn,
                     table->item(0, ImportPreviewDialog::TeacherColumn)->text());
            chooseIn(preview, 0, ImportPreviewDialog::WeekdayColumn,
                     table->item(0, ImportPreviewDialog::WeekdayColumn)->text());
            typeInto(preview, 1, ImportPreviewDialog::WeeksColumn, QStringLiteral("1-8周"));
        }
        const imports::ImportResult changed = preview.edited();

        readings->setCurrentIndex(1);
        if (asked && !answerYes) {
            // 否: the reading in use stays chosen and the table as the student left it.
            QCOMPARE(readings->currentIndex(), 0);
            QCOMPARE(readings->itemText(0), inUse);
            QCOMPARE(preview.edited().classes, changed.classes);
            QCOMPARE(preview.edited().unread, changed.unread);
        } else {
            // The new reading's rows, the teacher read as the course; no change of the student's.
            QCOMPARE(readings->itemText(0), other);
            QCOMPARE(table->rowCount(), 2);
            QCOMPARE(table->item(0, ImportPreviewDialog::CourseColumn)->text(),
                     QStringLiteral("李四"));
            QCOMPARE(table->item(0, ImportPreviewDialog::TeacherColumn)->text(),
                     QStringLiteral("张三"));
            QCOMPARE(preview.edited().unread.size(), std::size_t{1});
            // Changed afterwards, the new table is asked about in turn.
            preview.removeClasses({0});
            readings->setCurrentIndex(1);
            QCOMPARE(table->rowCount(), answerYes ? 2 : 1);
        }
        reached = true;
    };
    window.importExport();

    QVERIFY(reached);
    const QString question = QStringLiteral("换用这种读法会丢弃你在表格中做的修改。要继续吗？");
    QStringList questions;
    if (asked) {
        questions << question;
    }
    if (!asked || answerYes) {
        questions << question;
    }
    QCOMPARE(desk.questions, questions);
}

// The box the student sees: its question, and Enter answers 否.
void ImportPreviewTest::theQuestionKeepsTheChangesOnEnter() {
    QTemporaryDir folder;
    const QString path = writeFile(folder, QStringLiteral("课表.html"), kAmbiguousExportWithNote);
    ImportPreviewDialog preview(readOrFail(path), [&](const imports::ReadingChoice& choice) {
        return imports::readExportFile(toFilesystemPath(path), choice);
    });
    preview.show();
    typeInto(preview, 0, ImportPreviewDialog::TeacherColumn, QStringLiteral("王老师"));
    QString asked;
    bool noByDefault = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = box->text();
            noByDefault = box->standardButton(box->defaultButton()) == QMessageBox::No;
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    preview.findChild<QComboBox*>(QStringLiteral("Readings"))->setCurrentIndex(1);
    QCoreApplication::processEvents();

    QCOMPARE(asked, QStringLiteral("换用这种读法会丢弃你在表格中做的修改。要继续吗？"));
    QVERIFY(noByDefault);
    QCOMPARE(classTable(preview)->item(0, ImportPreviewDialog::TeacherColumn)->text(),
             QStringLiteral("王老师"));
    QCOMPARE(preview.findChild<QComboBox*>(QStringLiteral("Readings"))->currentIndex(), 0);
}

void ImportPreviewTest::editsDeletionsAdditionsAndMadeClassesAreWhatIsWritten() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    desk.editPreview = [](ImportPreviewDialog& preview) {
        QCOMPARE(classTable(preview)->rowCount(), 2);
        QVERIFY(preview.findChild<QLabel*>(QStringLiteral("UnreadCount"))
                    ->text()
                    .startsWith(QStringLiteral("未能识别的文字：1 处")));
        // An edited cell.
        typeInto(preview, rowOf(preview, QStringLiteral("高等数学")),
                 ImportPreviewDialog::TeacherColumn, QStringLiteral("王老师"));
        // A deleted row.
        preview.removeClasses({rowOf(preview, QStringLiteral("线性代数"))});
        // The unread text made a class, finished by hand: its weekday and periods from the
        // lists, its weeks typed.
        const int made = preview.makeClassOfUnread(0);
        QCOMPARE(classTable(preview)->item(made, ImportPreviewDialog::CourseColumn)->text(),
                 QStringLiteral("实践周见通知"));
        QCOMPARE(preview.findChild<QTableWidget*>(QStringLiteral("Unread"))->rowCount(), 0);
        chooseIn(preview, made, ImportPreviewDialog::WeekdayColumn, QStringLiteral("星期一"));
        chooseIn(preview, made, ImportPreviewDialog::PeriodsColumn, QStringLiteral("第3-4节"));
        typeInto(preview, made, ImportPreviewDialog::WeeksColumn, QStringLiteral("3周"));
        // An added row.
        imports::ImportedClass added;
        added.weekday = 2; // Wednesday
        added.periods = {5, 6};
        const int row = preview.addClass(added);
        typeInto(preview, row, ImportPreviewDialog::WeeksColumn, QStringLiteral("1-15单"));
        typeInto(preview, row, ImportPreviewDialog::CourseColumn, QStringLiteral("大学物理"));
        typeInto(preview, row, ImportPreviewDialog::TeacherColumn, QStringLiteral("赵六"));
        typeInto(preview, row, ImportPreviewDialog::RoomColumn, QStringLiteral("C303"));
        QCOMPARE(preview.findChild<QLabel*>(QStringLiteral("ClassesCount"))->text(),
                 QStringLiteral("识别出的课程：3 门"));
    };
    window.importExport();

    QVERIFY(desk.previewAccepted);
    QVERIFY(desk.messages.empty());
    QCOMPARE(QString::fromUtf8(desk.readIni()).trimmed(), desk.importedWorkbookToChoose);
    QVERIFY(window.hasWorkbook());
    // Read back by the viewer, week 3 (19 March 2010).
    QCOMPARE(cell(window, 4)->caption(), QStringLiteral("高等数学\r\n王老师\r\nA101"));
    QCOMPARE(cell(window, 1)->caption(), QStringLiteral("\r\n\r\n"));
    QCOMPARE(cell(window, 7)->caption(), QStringLiteral("实践周见通知\r\n\r\n"));
    QCOMPARE(cell(window, 16)->caption(), QStringLiteral("大学物理\r\n赵六\r\nC303"));
    window.showWeekQuery(4);
    QCOMPARE(cell(window, 7)->caption(), QStringLiteral("\r\n\r\n"));
    QCOMPARE(cell(window, 16)->caption(), QStringLiteral("\r\n\r\n"));
}

void ImportPreviewTest::aTextThatIsNoWeekSetIsRefusedInPlace_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("words") << QStringLiteral("第一周到第五周");
    QTest::newRow("weeks and a room") << QStringLiteral("1-16周 A101");
    QTest::newRow("empty") << QString();
    QTest::newRow("past week 99") << QStringLiteral("1-120");
}

void ImportPreviewTest::aTextThatIsNoWeekSetIsRefusedInPlace() {
    QFETCH(QString, typed);
    QTemporaryDir folder;
    ImportPreviewDialog preview(
        readOrFail(writeFile(folder, QStringLiteral("课表.html"), kExport)));
    const int row = rowOf(preview, QStringLiteral("高等数学"));
    typeInto(preview, row, ImportPreviewDialog::WeeksColumn, typed);

    QCOMPARE(classTable(preview)->item(row, ImportPreviewDialog::WeeksColumn)->text(),
             QStringLiteral("1-16"));
    const QString hint = preview.findChild<QLabel*>(QStringLiteral("CellHint"))->text();
    QVERIFY2(hint.startsWith(QStringLiteral("“%1”不是周次").arg(typed)),
             qPrintable(hint + QStringLiteral(" | ") +
                        classTable(preview)->item(row, ImportPreviewDialog::WeeksColumn)->text()));
    // A good text afterwards is taken, shown as the week rows will say it, and clears the reason.
    typeInto(preview, row, ImportPreviewDialog::WeeksColumn, QStringLiteral("5-6 双8-12"));
    QCOMPARE(classTable(preview)->item(row, ImportPreviewDialog::WeeksColumn)->text(),
             QStringLiteral("5-6, 双8-12"));
    QVERIFY(preview.findChild<QLabel*>(QStringLiteral("CellHint"))->text().isEmpty());
}

void ImportPreviewTest::anUnfinishedRowKeepsThePreviewOpen() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    QString hint;
    desk.editPreview = [&hint](ImportPreviewDialog& preview) {
        preview.addClass();
        preview.accept();
        hint = preview.findChild<QLabel*>(QStringLiteral("CellHint"))->text();
    };
    window.importExport();

    QVERIFY(!desk.previewAccepted);
    QCOMPARE(hint, QStringLiteral("第3行缺少星期，请填上或删除这一行。"));
    QVERIFY(!QFile::exists(desk.importedWorkbookToChoose));
}

void ImportPreviewTest::aFailedSaveAsksAgainAndKeepsTheEdits() {
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.exportToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    const QString unwritable = desk.folder.filePath(QStringLiteral("no-such-folder/课表.xlsx"));
    desk.importedWorkbookToChoose = unwritable;
    desk.laterWorkbooksToChoose = {desk.folder.filePath(QStringLiteral("我的课表.xlsx"))};
    desk.editPreview = [](ImportPreviewDialog& preview) {
        typeInto(preview, rowOf(preview, QStringLiteral("高等数学")),
                 ImportPreviewDialog::CourseColumn, QStringLiteral("高等数学（下）"));
    };
    window.importExport();

    QCOMPARE(desk.messages.size(), std::size_t{1});
    QCOMPARE(desk.messages[0].text,
             QStringLiteral("无法写入课表文件：\n%1\n请检查文件夹是否可写，然后另选保存位置。")
                 .arg(unwritable));
    // The second dialog starts from the name the student gave.
    QCOMPARE(desk.importSuggestions.size(), 2);
    QCOMPARE(desk.importSuggestions[1], unwritable);
    QCOMPARE(desk.previewedClasses.size(), std::size_t{1});
    QCOMPARE(QString::fromUtf8(desk.readIni()).trimmed(),
             desk.folder.filePath(QStringLiteral("我的课表.xlsx")));
    QCOMPARE(cell(window, 4)->caption(), QStringLiteral("高等数学（下）\r\n张三\r\nA101"));
}

void ImportPreviewTest::theTermTheExportNamesIsProposed_data() {
    QTest::addColumn<bool>("inTermAlready");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("named");
    QTest::newRow("confirmed") << false << true << true;
    QTest::newRow("cancelled") << false << false << true;
    QTest::newRow("today already in the term set") << true << true << true;
    // An export that names no term: today's half-year, worded as exports word it.
    QTest::newRow("none named, confirmed") << false << true << false;
    QTest::newRow("none named, today in the term set") << true << true << false;
}

void ImportPreviewTest::theTermTheExportNamesIsProposed() {
    QFETCH(bool, inTermAlready);
    QFETCH(bool, confirm);
    QFETCH(bool, named);
    TestDesktop desk;
    desk.today = inTermAlready ? date(2010, 3, 19) : date(2025, 10, 15);
    MainWindow window(desk.desktop());
    window.show();
    const QString exportFile = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    imports::ImportResult read = readOrFail(exportFile);
    read.term.reset();
    if (named) {
        read.term = imports::ExportTerm{.edition = "2025-2026学年第一学期",
                                        .half = imports::TermHalf::Autumn,
                                        .startYear = 2025};
    }
    QDate proposedMonday;
    QString proposedEdition;
    const bool opened = withTermDialog(
        [&] { window.importRead(toFilesystemPath(exportFile), read); },
        [&](TermDialog& dialog) {
            proposedMonday = dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"))->date();
            proposedEdition = dialog.findChild<QLineEdit*>(QStringLiteral("Edition"))->text();
            if (confirm) {
                dialog.accept();
            }
        });

    QCOMPARE(opened, !inTermAlready);
    QVERIFY(window.hasWorkbook());
    if (inTermAlready) {
        QCOMPARE(window.weekShown(), std::int16_t{3});
        return;
    }
    QCOMPARE(proposedMonday, QDate(2025, 9, 1));
    QCOMPARE(proposedEdition, QStringLiteral("2025-2026学年第一学期"));
    if (confirm) {
        // This week: 15 October 2025 is in week 7, and the grid shows it.
        QCOMPARE(window.weekShown(), std::int16_t{7});
        QVERIFY(window.windowTitle().contains(QStringLiteral("2025-2026学年第一学期")));
        QCOMPARE(cell(window, 4)->caption(), QStringLiteral("高等数学\r\n张三\r\nA101"));
        QVERIFY(QFile::exists(desk.folder.filePath(QStringLiteral("term.ini"))));
    } else {
        QCOMPARE(shownHint(window), QStringLiteral("提示：现在不是上课时间！"));
        QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("term.ini"))));
    }
}

void ImportPreviewTest::outsideItsTermTheHintGivesTheTermsDates() {
    TestDesktop desk;
    desk.today = date(2026, 2, 1);
    QFile ini(desk.folder.filePath(QStringLiteral("term.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[term]\r\nstart=2025-09-08\r\nweeks=18\r\nedition=2025秋\r\n");
    ini.close();
    desk.setPath(sample("layout-typical-xlsxwriter.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(shownHint(window),
             QStringLiteral("提示：现在不是上课时间！本学期 2025-09-08 至 2026-01-11"));
}

void ImportPreviewTest::anExportChosenAsTheTimetableIsOfferedToTheImport_data() {
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("imported") << true;
    QTest::newRow("kept as chosen") << false;
}

void ImportPreviewTest::anExportChosenAsTheTimetableIsOfferedToTheImport() {
    QFETCH(bool, answerYes);
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    desk.workbookToChoose = writeFile(desk.folder, QStringLiteral("课表.xls"), kExport);
    desk.importedWorkbookToChoose = desk.folder.filePath(QStringLiteral("我的课表.xlsx"));
    desk.answerYes = answerYes;
    window.choosePath();

    QCOMPARE(desk.questions, QStringList{QStringLiteral("这是教务系统导出的课表，要导入吗？")});
    QCOMPARE(desk.previewedClasses.size(), std::size_t(answerYes ? 1 : 0));
    QCOMPARE(QString::fromUtf8(desk.readIni()).trimmed(),
             answerYes ? desk.importedWorkbookToChoose : desk.workbookToChoose);
    QCOMPARE(window.hasWorkbook(), answerYes);

    // A workbook of ours is never asked about.
    desk.workbookToChoose = sample("layout-typical-xlsxwriter.xlsx");
    window.choosePath();
    QCOMPARE(desk.questions.size(), 1);
}

QTEST_MAIN(ImportPreviewTest)
#include "ImportPreviewTest.moc"
