// Everything the main window and its dialogs ask of the desktop: today's date, the settings
// file, the file dialog, message boxes and the platform services. Tests replace members.
#pragma once

#include "settings/SettingsLocation.h"

#include <QMessageBox>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>

class QFileDialog;
class QWidget;

namespace orvanto::gui {

class ImportPreviewDialog;

struct Message {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    // A question's answer on Enter: 否 where 是 would throw away the student's work.
    QMessageBox::StandardButton defaultAnswer = QMessageBox::Yes;
};

struct Desktop {
    std::function<std::chrono::year_month_day()> today;
    // Where path.ini and term.ini are read and saved.
    settings::SettingsLocation settings = settings::SettingsLocation::besideProgram(".");
    // The chosen workbook's full path, empty when the user cancelled. The dialog opens in
    // startFolder.
    std::function<QString(QWidget* parent, const QString& startFolder)> chooseWorkbook;
    // Where to save the calendar export, empty when the user cancelled. The dialog suggests
    // suggestedFile (a full path).
    std::function<QString(QWidget* parent, const QString& suggestedFile)> chooseCalendarFile;
    // The school's export to import, empty when the user cancelled; opens in startFolder.
    std::function<QString(QWidget* parent, const QString& startFolder)> chooseExport;
    // Shows the preview of an import (built with its parent): true when the student accepts
    // it (确定); its edited() is then what is written.
    std::function<bool(ImportPreviewDialog& preview)> previewImport;
    // Where to save the imported workbook, empty when the user cancelled; suggests suggestedFile.
    std::function<QString(QWidget* parent, const QString& suggestedFile)> chooseImportedWorkbook;
    // A modal box with a single OK button.
    std::function<void(QWidget* parent, const Message& message)> showMessage;
    // A modal question with 是 and 否: true for 是.
    std::function<bool(QWidget* parent, const Message& question)> ask;
    std::function<void(QWidget* window, bool onTop)> setAlwaysOnTop;
    std::function<bool(const QString& path)> openTextFile;
    std::function<bool(const QString& url)> openWebAddress;
    std::function<QString()> programDirectory;
    std::function<void(QWidget* parent, bool topmost)> showAbout;
    // Ends the program, whatever other window is open.
    std::function<void()> quit;

    // The real desktop: local date, settings beside the executable or in the user's
    // configuration folder, system dialogs.
    static Desktop system();
};

// A modal question with 是 and 否: true for 是.
bool askInBox(QWidget* parent, const Message& question);

// The workbook dialog of the Path command: its title, its one filter, existing files only.
void setUpWorkbookDialog(QFileDialog& dialog, const QString& startFolder);

// Where the workbook dialog opens: the folder of the workbook in use, or the home folder when
// none is set or its folder is gone.
QString workbookDialogFolder(const QString& workbook);

// The save dialog of the calendar export: its title, its one filter, the .ics suffix added to a
// name typed without it, and a question before an existing file is replaced.
void setUpCalendarDialog(QFileDialog& dialog, const QString& suggestedFile);

// The open dialog of the import: its title and its one filter, existing files only.
void setUpExportDialog(QFileDialog& dialog, const QString& startFolder);

// The save dialog of the imported workbook: .xlsx, suffix added, a question before replacing.
void setUpImportedWorkbookDialog(QFileDialog& dialog, const QString& suggestedFile);

std::filesystem::path toFilesystemPath(const QString& path);

// A file that comes with the program (the help text, the sample timetable): beside the
// executable in a portable copy or the build tree, else in the installed data folder
// (../share/orvanto from the executable); the path beside the executable when neither has it.
QString programDataFile(const QString& programDirectory, const QString& name);

// The second line of a failed save's message: which folder to check.
QString checkFolderText(const settings::SettingsLocation& location);

} // namespace orvanto::gui
