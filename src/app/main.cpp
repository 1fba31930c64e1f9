// The viewer: the main window, whose first showing loads the timetable.
#include "windows/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orvanto::windows::MainWindow window;
    window.show();
    return app.exec();
}
