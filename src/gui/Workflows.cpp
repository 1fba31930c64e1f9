#include "Workflows.h"

#include "ImportPreviewDialog.h"
#include "MainWindow.h"
#include "ProgramResources.h"
#include "QueryDialog.h"
#include "StudentMessages.h"
#include "TermDialog.h"
#include "core/ProgramInfo.h"
#include "service/StudentFiles.h"

#include <QDir>
#include <filesystem>
#include <utility>

namespace orvanto::gui {

namespace {

void warn(MainWindow& window, const QString& text) {
    window.showMessage({QMessageBox::Warning, boxTitle(BoxTitle::Error), text});
}

// The save dialog until a file is written or the student cancels; the file written.
QString saveImported(MainWindow& window, const std::filesystem::path& exportPath,
                     const imports::ImportResult& classes) {
    QString suggestion =
        QString::fromStdU16String(imports::defaultWorkbookPath(exportPath).u16string());
    // A save that fails says why and asks for another place; the preview's edits stay.
    for (;;) {
        const QString target = window.desktop().chooseImportedWorkbook(&window, suggestion);
        if (target.isEmpty()) {
            return {};
        }
        suggestion = target;
        const auto saved =
            service::saveImportedWorkbook(classes, toFilesystemPath(target), exportPath);
        if (saved) {
            return target;
        }
        const std::string_view subject = saved.failure().subject;
        warn(window, subject == service::kOverTheExport ? importOverExportText()
                     : subject == service::kTargetUnwritable
                         ? importWriteFailureText(target)
                         : importSaveFailureText(saved.failure()));
    }
}

// 学期设置 filled with the term the export names (or today's half-year when it names none),
// unless today is in the term set.
void proposeTerm(MainWindow& window, const imports::ExportTerm& named) {
    if (window.schedule().today().inTerm) {
        return; // the term already set is the one the student is in
    }
    core::Term proposed = window.term();
    proposed.edition = named.edition;
    proposed.firstMonday = named.likelyFirstMonday();
    runEditTerm(window, proposed);
}

} // namespace

void runChoosePath(MainWindow& window) {
    Desktop& desktop = window.desktop();
    QString chosen = desktop.chooseWorkbook(&window, workbookDialogFolder(window.workbookPath()));
    if (chosen.isEmpty()) {
        return;
    }
    // A school's export chosen here is offered to the import instead of failing to load.
    const std::filesystem::path path = toFilesystemPath(chosen);
    if (!service::loadTimetable(path)) {
        if (auto read = imports::readExportFile(path);
            read && desktop.ask(&window, {QMessageBox::Question, boxTitle(BoxTitle::Notice),
                                          exportChosenAsTimetableText()})) {
            runImportRead(window, path, std::move(*read));
            return;
        }
    }
    useWorkbook(window, chosen);
}

bool useWorkbook(MainWindow& window, const QString& path) {
    Desktop& desktop = window.desktop();
    if (!service::saveWorkbookChoice(desktop.settings, path.toStdString())) {
        // The saved path is intact; nothing is reloaded.
        warn(window, pathSaveFailureText(checkFolderText(desktop.settings)));
        return false;
    }
    window.reload();
    return true;
}

void runImport(MainWindow& window) {
    const QString exportFile =
        window.desktop().chooseExport(&window, workbookDialogFolder(window.workbookPath()));
    if (exportFile.isEmpty()) {
        return;
    }
    const std::filesystem::path exportPath = toFilesystemPath(exportFile);
    auto result = imports::readExportFile(exportPath);
    if (!result) {
        warn(window, importFailureText(result.failure()));
        return;
    }
    runImportRead(window, exportPath, std::move(*result));
}

void runImportRead(MainWindow& window, const std::filesystem::path& exportPath,
                   imports::ImportResult read) {
    ImportPreviewDialog preview(
        std::move(read),
        [exportPath](const imports::ReadingChoice& choice) {
            return imports::readExportFile(exportPath, choice);
        },
        window.desktop().ask, &window);
    if (!window.desktop().previewImport(preview)) {
        return;
    }
    const imports::ImportResult edited = preview.edited();
    const QString target = saveImported(window, exportPath, edited);
    if (target.isEmpty() || !useWorkbook(window, target)) {
        return;
    }
    // An export that names no term still needs one when today is outside the term set: the
    // half-year today falls in is proposed, for the student to confirm or set right.
    proposeTerm(window, edited.term ? *edited.term : imports::termAround(window.desktop().today()));
}

void runExportCalendar(MainWindow& window) {
    const service::Schedule& schedule = window.schedule();
    if (schedule.workbookPath().empty()) {
        window.showMessage({QMessageBox::Information, boxTitle(BoxTitle::Notice), noPathText()});
        return;
    }
    if (!schedule.hasTimetable()) {
        warn(window, cannotExportCalendarText(schedule.loadFailure(), window.workbookPath()));
        return;
    }
    const QString suggested =
        workbookDialogFolder(window.workbookPath()) + QStringLiteral("/") + calendarFileName();
    const QString chosen = window.desktop().chooseCalendarFile(&window, suggested);
    if (chosen.isEmpty()) {
        return;
    }
    const auto exported = schedule.exportCalendar();
    if (!exported) {
        warn(window, calendarComposeFailureText(exported.failure()));
        return;
    }
    if (const auto saved = service::saveCalendar(*exported, toFilesystemPath(chosen),
                                                 toFilesystemPath(window.workbookPath()));
        !saved) {
        warn(window, saved.failure().subject == service::kOverTheWorkbook
                         ? calendarOverWorkbookText(chosen)
                         : calendarWriteFailureText(chosen));
        return;
    }
    window.showMessage({QMessageBox::Information, boxTitle(BoxTitle::Notice),
                        calendarExportedText(exported->meetings, exported->events, chosen)});
}

void runQuery(MainWindow& window) {
    if (window.schedule().workbookPath().empty()) {
        window.showMessage({QMessageBox::Information, boxTitle(BoxTitle::Notice), noPathText()});
        return;
    }
    window.queryDialog()->exec();
}

void runCheck(MainWindow& window) {
    const service::Schedule& schedule = window.schedule();
    if (!schedule.hasTimetable()) {
        const auto& failure = schedule.loadFailure();
        window.showMessage({QMessageBox::Warning, boxTitle(BoxTitle::Check),
                            !failure && schedule.workbookPath().empty()
                                ? noPathText()
                                : cannotCheckText(failure, window.workbookPath())});
        return;
    }
    const std::size_t toFix = schedule.findingsToFix();
    window.showMessage({toFix == 0 ? QMessageBox::Information : QMessageBox::Warning,
                        boxTitle(BoxTitle::Check), checkResultText(schedule.findings(), toFix)});
}

void runEditTerm(MainWindow& window) {
    runEditTerm(window, window.term());
}

void runEditTerm(MainWindow& window, const core::Term& proposed) {
    TermDialog dialog(proposed, window.desktop(), &window);
    if (window.topmostChecked()) {
        window.desktop().setAlwaysOnTop(&dialog, true);
    }
    if (dialog.exec() == QDialog::Accepted) {
        window.startUp();
    }
}

void runHelpFile(MainWindow& window) {
    Desktop& desktop = window.desktop();
    const QString helpFile =
        programDataFile(desktop.programDirectory(), QStringLiteral(ORVANTO_HELP_FILE_NAME));
    if (!desktop.openTextFile(helpFile)) {
        window.showMessage({QMessageBox::Warning, boxTitle(BoxTitle::Error),
                            helpFileFailureText(QDir::toNativeSeparators(helpFile))});
    }
}

void runUpdatePage(MainWindow& window) {
    if (!window.desktop().openWebAddress(QStringLiteral(ORVANTO_UPDATE_URL))) {
        window.showMessage({QMessageBox::Warning, boxTitle(BoxTitle::Error), browserFailureText()});
    }
}

} // namespace orvanto::gui
