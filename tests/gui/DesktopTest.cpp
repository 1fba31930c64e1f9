// The real desktop's workbook dialog, as the Path command opens it.
#include "gui/Desktop.h"

#include "gui/ProgramResources.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void workbookDialogOpensExistingExcelFilesOnly();
    void workbookDialogOpensInTheWorkbooksFolder();
    void qtDialogsSpeakChinese();
};

void DesktopTest::workbookDialogOpensExistingExcelFilesOnly() {
    QFileDialog dialog;
    orvanto::gui::setUpWorkbookDialog(dialog, QDir::tempPath());

    QCOMPARE(dialog.windowTitle(), QStringLiteral("设置课表路径"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.nameFilters(),
             QStringList{QStringLiteral("Excel文件(*.xls,*.xlsx) (*.xls *.xlsx)")});
    QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
    QVERIFY(dialog.testOption(QFileDialog::ReadOnly));
    QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
}

void DesktopTest::workbookDialogOpensInTheWorkbooksFolder() {
    const QString workbook = QStringLiteral(ORVANTO_TEST_DATA "/samples/cells.xlsx");
    QCOMPARE(orvanto::gui::workbookDialogFolder(workbook),
             QStringLiteral(ORVANTO_TEST_DATA "/samples"));
    QCOMPARE(orvanto::gui::workbookDialogFolder(QString()), QDir::homePath());
    QCOMPARE(orvanto::gui::workbookDialogFolder(QStringLiteral("/no/such/folder/a.xlsx")),
             QDir::homePath());
}

void DesktopTest::qtDialogsSpeakChinese() {
    orvanto::gui::installQtTranslation();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    orvanto::gui::setUpWorkbookDialog(dialog, QDir::tempPath());
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("打开(&O)"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    QVERIFY2(labels.contains(QStringLiteral("查找范围：")), qPrintable(labels.join('|')));

    QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("x"),
                    QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
