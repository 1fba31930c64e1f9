#include "SplashHandOver.h"

#include "MainWindow.h"
#include "SplashWindow.h"

#include <QPointer>

namespace orvanto::gui {

SplashWindow* showWithSplash(MainWindow& window) {
    auto* splash = new SplashWindow([&window] { window.show(); });
    // The splash stays on top of everything, so a box of the start-up would open under it and
    // the program would look frozen: it closes before the first box.
    QPointer<SplashWindow> guard(splash);
    window.desktop().showMessage = [guard, showMessage = window.desktop().showMessage](
                                       QWidget* parent, const Message& message) {
        if (guard != nullptr && guard->isVisible()) {
            guard->close();
        }
        showMessage(parent, message);
    };
    splash->show();
    return splash;
}

} // namespace orvanto::gui
