// A desktop for window tests: a fixed date, path.ini in a temporary folder, and dialogs,
// message boxes and platform calls that are recorded instead of shown.
#pragma once

#include "gui/CellLabel.h"
#include "gui/Desktop.h"
#include "gui/ImportPreviewDialog.h"
#include "gui/MainWindow.h"
#include "imports/ImportedClass.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

namespace orvanto::gui::testing {

inline std::chrono::year_month_day date(int y, unsigned m, unsigned d) {
    return std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{m},
                                       std::chrono::day{d}};
}

inline QString sample(const char* name) {
    return QStringLiteral(ORVANTO_TEST_DATA "/samples/") + QString::fromUtf8(name);
}

struct TestDesktop {
    QTemporaryDir folder;
    std::chrono::year_month_day today = date(2010, 3, 19);
    std::vector<Message> messages;
    std::vector<std::pair<QWidget*, bool>> alwaysOnTop;
    QStringList openedFiles;
    QStringList openedAddresses;
    bool browserWorks = true;
    bool textViewerWorks = true;
    QString workbookToChoose; // what the file dialog returns; empty = cancelled
    int fileDialogs = 0;
    QString fileDialogFolder;        // where the last file dialog opened
    QString calendarFileToChoose;    // what the save dialog returns; empty = cancelled
    QStringList calendarSuggestions; // what each save dialog suggested
    QString exportToChoose;          // what the import's open dialog returns; empty = cancelled
    bool acceptPreview = true;       // the import preview's answer: 确定 or 取消
    std::function<void(ImportPreviewDialog&)> editPreview; // what the student does in it
    bool previewAccepted = false;              // whether the last 确定 closed the preview
    std::vector<std::size_t> previewedClasses; // classes each preview showed
    QString importedWorkbookToChoose;          // what the import's first save dialog returns
    QStringList laterWorkbooksToChoose;        // what the save dialogs after it return; then cancel
    QStringList importSuggestions;             // what each import save dialog suggested
    bool answerYes = true;                     // the answer to every question
    QStringList questions;
    int quits = 0;
    int aboutBoxes = 0;
    bool aboutTopmost = false;

    Desktop desktop() {
        Desktop d;
        d.today = [this] { return today; };
        d.settings = settings::SettingsLocation::besideProgram(toFilesystemPath(folder.path()));
        d.chooseWorkbook = [this](QWidget*, const QString& startFolder) {
            ++fileDialogs;
            fileDialogFolder = startFolder;
            return workbookToChoose;
        };
        d.chooseCalendarFile = [this](QWidget*, const QString& suggestedFile) {
            calendarSuggestions << suggestedFile;
            return calendarFileToChoose;
        };
        d.chooseExport = [this](QWidget*, const QString&) { return exportToChoose; };
        d.previewImport = [this](ImportPreviewDialog& preview) {
            previewedClasses.push_back(preview.edited().classes.size());
            if (editPreview) {
                editPreview(preview);
            }
            if (!acceptPreview) {
                return false;
            }
            preview.accept();
            previewAccepted = preview.result() == QDialog::Accepted;
            return previewAccepted;
        };
        d.chooseImportedWorkbook = [this](QWidget*, const QString& suggestedFile) {
            importSuggestions << suggestedFile;
            if (importSuggestions.size() == 1) {
                return importedWorkbookToChoose;
            }
            return laterWorkbooksToChoose.isEmpty() ? QString()
                                                    : laterWorkbooksToChoose.takeFirst();
        };
        d.ask = [this](QWidget*, const Message& question) {
            questions << question.text;
            return answerYes;
        };
        d.showMessage = [this](QWidget*, const Message& m) { messages.push_back(m); };
        d.setAlwaysOnTop = [this](QWidget* w, bool on) { alwaysOnTop.emplace_back(w, on); };
        d.openTextFile = [this](const QString& path) {
            openedFiles << path;
            return textViewerWorks;
        };
        d.openWebAddress = [this](const QString& url) {
            openedAddresses << url;
            return browserWorks;
        };
        d.programDirectory = [this] { return folder.path(); };
        d.showAbout = [this](QWidget*, bool topmost) {
            ++aboutBoxes;
            aboutTopmost = topmost;
        };
        d.quit = [this] { ++quits; };
        return d;
    }

    QString iniPath() const { return folder.filePath(QStringLiteral("path.ini")); }
    bool iniExists() const { return QFile::exists(iniPath()); }
    void writeIni(const QByteArray& bytes) const {
        QFile file(iniPath());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray readIni() const {
        QFile file(iniPath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void setPath(const QString& workbook) const { writeIni(workbook.toUtf8() + "\r\n"); }
};

// A file of these bytes in the folder; its path.
inline QString writeFile(const QTemporaryDir& folder, const QString& name,
                         const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

inline QLabel* label(MainWindow& window, const QString& name) {
    return window.findChild<QLabel*>(name);
}

// The status label's text as one line: it breaks its lines itself.
inline QString shownHint(MainWindow& window) {
    return label(window, QStringLiteral("Label14"))->text().remove(QLatin1Char('\n'));
}

inline CellLabel* cell(MainWindow& window, int index) {
    return window.findChild<CellLabel*>(QStringLiteral("Label13_%1").arg(index));
}

// The weekdays whose heading and five cells carry the mark colour. Fails the test (returns
// {-1}) when a column is half marked or an unmarked label is not black.
inline QList<int> markedWeekdays(MainWindow& window) {
    QList<int> marked;
    for (int d = 0; d < 7; ++d) {
        QList<QLabel*> column{label(window, QStringLiteral("Label%1").arg(d + 1))};
        for (int p = 0; p < 5; ++p) {
            column << cell(window, 7 * p + d);
        }
        int inMark = 0;
        for (QLabel* l : column) {
            QColor colour = l->palette().color(QPalette::WindowText);
            if (colour == TimetableGrid::markColour()) {
                ++inMark;
            } else if (colour != QColor(Qt::black)) {
                return {-1};
            }
        }
        if (inMark == int(column.size())) {
            marked << d;
        } else if (inMark != 0) {
            return {-1};
        }
    }
    return marked;
}

inline QStringList captions(MainWindow& window) {
    QStringList all;
    for (int i = 0; i < 35; ++i) {
        all << cell(window, i)->caption();
    }
    return all;
}

// The caption the sample workbooks give cell (period, day) for a block tag "甲" or "乙".
inline QString sampleCaption(int period, int day, const char* tag) {
    QString key = QStringLiteral("%1%2%3").arg(period).arg(day).arg(QString::fromUtf8(tag));
    return QStringLiteral("课%1\r\n教室%1\r\n老师%1").arg(key);
}

} // namespace orvanto::gui::testing
