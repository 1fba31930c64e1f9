// The real desktop's workbook dialog, as the Path command opens it.
#include "gui/Desktop.h"

#include <QFileDialog>
#include <QtTest>

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void workbookDialogOpensExistingExcelFilesOnly();
};

void DesktopTest::workbookDialogOpensExistingExcelFilesOnly() {
    QFileDialog dialog;
    orvanto::gui::setUpWorkbookDialog(dialog);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("设置课表路径"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.nameFilters(),
             QStringList{QStringLiteral("Excel文件(*.xls,*.xlsx) (*.xls *.xlsx)")});
    QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
    QVERIFY(dialog.testOption(QFileDialog::ReadOnly));
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
