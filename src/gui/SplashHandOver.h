// The program's start: the splash, then the main window, whose start-up may tell the student
// something in a message box; the splash is gone before any such box opens.
#pragma once

namespace orvanto::gui {

class MainWindow;
class SplashWindow;

// Shows the splash, which hands over to window (showing it runs its start-up). Returns the
// splash, which deletes itself once it has handed over.
SplashWindow* showWithSplash(MainWindow& window);

} // namespace orvanto::gui
