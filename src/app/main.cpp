// The viewer: the splash, which hands over to the main window, whose first showing loads
// the timetable.
#include "windows/MainWindow.h"
#include "windows/ProgramResources.h"
#include "windows/SplashWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orvanto::windows::loadResources();
    QApplication::setWindowIcon(orvanto::windows::programIcon());
    orvanto::windows::MainWindow window;
    // The splash deletes itself once the main window's start-up has returned.
    auto* splash = new orvanto::windows::SplashWindow([&window] { window.show(); });
    splash->show();
    return app.exec();
}
