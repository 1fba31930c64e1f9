// Where a window first appears: centred on its screen's available area when it fits there,
// otherwise with its frame's top-left at the area's top-left, so that the title bar and the
// menus stay on screen (large windows at high scale factors).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvanto::gui {

// The frame's top-left for a frame of that size on that available area.
QPoint placementOf(const QRect& available, const QSize& frame);

// Places the window (by its frame, or its size plus a title bar while the window manager has
// not framed it yet) on its screen's available area, or on the primary screen when it has none.
void centreOnScreen(QWidget* window);

} // namespace orvanto::gui
