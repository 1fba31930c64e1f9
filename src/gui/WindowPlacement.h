// Where a window first appears: every Orvanto window starts centred on its screen.
#pragma once

class QWidget;

namespace orvanto::gui {

// Centres the window (by its current size) on its screen's available area, or on the
// primary screen when it has none yet.
void centreOnScreen(QWidget* window);

} // namespace orvanto::gui
