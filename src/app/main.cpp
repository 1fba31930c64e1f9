// The viewer: the splash, which hands over to the main window, whose first showing loads
// the timetable.
#include "gui/MainWindow.h"
#include "gui/ProgramResources.h"
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
    orvanto::gui::showWithSplash(window);
    return app.exec();
}
