// The few desktop services the windows need that differ between Windows and Linux:
// always-on-top, opening the help text, opening a web address, the program's directory.
#pragma once

#include <QString>

class QWidget;

namespace orvanto::gui::platform {

// Puts the window above all others (or back among them) without moving or resizing it.
void setAlwaysOnTop(QWidget* window, bool onTop);

// Starts the desktop's text viewer on the file and returns at once; false only when the
// viewer could not be started. A missing file is the viewer's business, not ours.
bool openTextFile(const QString& path);

// Opens the address in the default browser; false when the desktop could not do it.
bool openWebAddress(const QString& url);

// The directory that holds the running executable (where path.ini and the help text live).
QString programDirectory();

} // namespace orvanto::gui::platform
