// Shrinks a window's fixed layout where the window would not fit its screen's available area
// (a large scale factor on a small screen), keeping the proportions of every label and line.
#pragma once

#include <QSize>
#include <QtGlobal>

class QWidget;

namespace orvanto::gui {

// Below this the grid's nine-point text would no longer be readable; the window is then
// placed by its title bar and the rest may run off the screen.
inline constexpr qreal kSmallestFit = 0.5;

// What a window manager's border may add on each side, allowed for before the window is framed.
inline constexpr int kFrameBorder = 4;

// The scale (at most 1) at which content laid out at designed size fits available, when the
// window adds fixed parts (frame, title bar, menu bar) that do not shrink.
qreal fitScale(const QSize& available, const QSize& designed, const QSize& fixedParts);

// Lays every child of client out at scale, from the geometry and font each had when this was
// first called; scale 1 gives them back exactly.
void scaleChildren(QWidget* client, qreal scale);

} // namespace orvanto::gui
