// The Qt side of the platform layer, for the windows: always-on-top, opening the help text and
// a web address, the program's directory. What needs no Qt lives in platform/.
#pragma once

#include <QString>

class QWidget;

namespace orvanto::gui::platform {

// Puts the window above all others (or back among them) without moving or resizing it.
void setAlwaysOnTop(QWidget* window, bool onTop);

// Starts the desktop's text viewer on the file and returns at once; false only when the
// viewer could not be started. A missing file is the viewer's business, not ours.
bool openTextFile(const QString& path);

// Opens the address in the default browser; false when it is not an absolute address or the
// desktop could not open it.
bool openWebAddress(const QString& url);

// The directory that holds the running executable (where path.ini and the help text live).
QString programDirectory();

} // namespace orvanto::gui::platform
