// The viewer: the splash, which hands over to the main window, whose first showing loads
// the timetable. Started with --minimized (at login) and the tray on, it loads the timetable
// without showing a window and waits in the tray.
#include "gui/MainWindow.h"
#include "gui/ProgramResources.h"
#include "gui/ReminderController.h"
#include "gui/SplashHandOver.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Whatever the executable is called, Qt's per-application folders are Orvanto's.
    QApplication::setApplicationName(QStringLiteral("orvanto"));
    orvanto::gui::loadResources();
    orvanto::gui::installQtTranslation();
    QApplication::setWindowIcon(orvanto::gui::programIcon());
    orvanto::gui::MainWindow window;
    auto* reminders = new orvanto::gui::ReminderController(window);
    reminders->load();
    if (QApplication::arguments().contains(QStringLiteral("--minimized")) &&
        reminders->keepsRunningInTray()) {
        window.startUp();
    } else {
        orvanto::gui::showWithSplash(window);
    }
    return app.exec();
}
