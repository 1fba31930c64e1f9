#include "Desktop.h"

#include "AboutDialog.h"
#include "ImportPreviewDialog.h"
#include "Platform.h"
#include "StudentMessages.h"
#include "platform/Today.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace orvanto::gui {

namespace {

// The file the user chose, empty when the dialog was cancelled.
QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString chooseWorkbookFile(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent);
    setUpWorkbookDialog(dialog, startFolder);
    return chosenFile(dialog);
}

QString chooseCalendarSaveFile(QWidget* parent, const QString& suggestedFile) {
    QFileDialog dialog(parent);
    setUpCalendarDialog(dialog, suggestedFile);
    return chosenFile(dialog);
}

QString chooseExportFile(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent);
    setUpExportDialog(dialog, startFolder);
    return chosenFile(dialog);
}

QString chooseImportedWorkbookFile(QWidget* parent, const QString& suggestedFile) {
    QFileDialog dialog(parent);
    setUpImportedWorkbookDialog(dialog, suggestedFile);
    return chosenFile(dialog);
}

bool runImportPreview(ImportPreviewDialog& preview) {
    return preview.exec() == QDialog::Accepted;
}

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(message.icon, message.title, message.text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

bool askInBox(QWidget* parent, const Message& question) {
    QMessageBox box(question.icon, question.title, question.text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(question.defaultAnswer);
    return box.exec() == QMessageBox::Yes;
}

QString workbookDialogFolder(const QString& workbook) {
    if (!workbook.isEmpty()) {
        const QFileInfo file(workbook);
        if (file.absoluteDir().exists()) {
            return file.absolutePath();
        }
    }
    return QDir::homePath();
}

void setUpWorkbookDialog(QFileDialog& dialog, const QString& startFolder) {
    dialog.setDirectory(startFolder);
    dialog.setWindowTitle(fileDialogText(FileDialogText::WorkbookTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(fileDialogText(FileDialogText::WorkbookFilter));
    // The list shows the filter as written, without Qt's pattern list appended again.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::ReadOnly, true);
}

void setUpCalendarDialog(QFileDialog& dialog, const QString& suggestedFile) {
    const QFileInfo file(suggestedFile);
    dialog.setDirectory(file.absolutePath());
    dialog.selectFile(file.fileName());
    dialog.setWindowTitle(fileDialogText(FileDialogText::CalendarTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("iCalendar (*.ics)"));
    dialog.setDefaultSuffix(QStringLiteral("ics"));
    // Qt's own translation leaves this button in English.
    dialog.setLabelText(QFileDialog::Accept, fileDialogText(FileDialogText::Save));
}

void setUpExportDialog(QFileDialog& dialog, const QString& startFolder) {
    dialog.setDirectory(startFolder);
    dialog.setWindowTitle(fileDialogText(FileDialogText::ExportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(fileDialogText(FileDialogText::ExportFilter));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::ReadOnly, true);
}

void setUpImportedWorkbookDialog(QFileDialog& dialog, const QString& suggestedFile) {
    const QFileInfo file(suggestedFile);
    dialog.setDirectory(file.absolutePath());
    dialog.selectFile(file.fileName());
    dialog.setWindowTitle(fileDialogText(FileDialogText::ImportedTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(fileDialogText(FileDialogText::ImportedFilter));
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    dialog.setLabelText(QFileDialog::Accept, fileDialogText(FileDialogText::Save));
}

std::filesystem::path toFilesystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString programDataFile(const QString& programDirectory, const QString& name) {
    const QDir program(programDirectory);
    const QString beside = program.filePath(name);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    const QString installed =
        QDir::cleanPath(program.filePath(QStringLiteral("../share/orvanto/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

QString checkFolderText(const settings::SettingsLocation& location) {
    const QString folder =
        QDir::toNativeSeparators(QString::fromStdU16String(location.savedFolder().u16string()));
    return folderWritableText(folder);
}

Desktop Desktop::system() {
    Desktop desktop;
    desktop.today = orvanto::platform::localToday;
    desktop.settings = settings::SettingsLocation::forRunningProgram();
    desktop.chooseWorkbook = chooseWorkbookFile;
    desktop.chooseCalendarFile = chooseCalendarSaveFile;
    desktop.chooseExport = chooseExportFile;
    desktop.previewImport = runImportPreview;
    desktop.chooseImportedWorkbook = chooseImportedWorkbookFile;
    desktop.showMessage = showMessageBox;
    desktop.ask = askInBox;
    desktop.setAlwaysOnTop = platform::setAlwaysOnTop;
    desktop.openTextFile = platform::openTextFile;
    desktop.openWebAddress = platform::openWebAddress;
    desktop.programDirectory = platform::programDirectory;
    desktop.showAbout = [](QWidget* parent, bool topmost) { AboutDialog(topmost, parent).exec(); };
    desktop.quit = [] { QCoreApplication::quit(); };
    return desktop;
}

} // namespace orvanto::gui
