#include "Workflows.h"

#include "MainWindow.h"
#include "ProgramResources.h"
#include "StudentMessages.h"
#include "TermDialog.h"
#include "core/ProgramInfo.h"

#include <QDir>

namespace orvanto::gui {

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
