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
// The picture for a screen of that device pixel ratio: the one drawn at 2x above 1, with its
// ratio set so that it lays out at the 1x size.
QPixmap splashPicture(qreal devicePixelRatio = 1.0);
QPixmap aboutBanner(qreal devicePixelRatio = 1.0);

} // namespace orvanto::gui
