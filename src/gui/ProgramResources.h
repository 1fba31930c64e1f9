// What is compiled into the program: its icon, the splash picture, the about banner and the
// Chinese text of Qt's own dialogs.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvanto::gui {

// Registers the compiled-in resources; safe to call any number of times. Needed because the
// windows live in a static library, whose resource initialiser the linker would otherwise drop.
void loadResources();

// Makes Qt's file dialog, message box buttons and edit menus speak Simplified Chinese.
void installQtTranslation();

QIcon programIcon();
QPixmap splashPicture();
QPixmap aboutBanner();

} // namespace orvanto::gui
