// The pictures compiled into the program: its icon, the splash picture and the about banner.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvanto::gui {

// Registers the compiled-in resources; safe to call any number of times. Needed because the
// windows live in a static library, whose resource initialiser the linker would otherwise drop.
void loadResources();

QIcon programIcon();
QPixmap splashPicture();
QPixmap aboutBanner();

} // namespace orvanto::gui
