// The part of the platform layer that Qt or platform/ already makes the same everywhere.
#include "Platform.h"

#include "Desktop.h"
#include "platform/Launch.h"
#include "platform/ProgramFolders.h"

#include <QDesktopServices>
#include <QUrl>

namespace orvanto::gui::platform {

bool openTextFile(const QString& path) {
    return orvanto::platform::openTextFile(toFilesystemPath(path));
}

bool openWebAddress(const QString& url) {
    // Only a whole address reaches the desktop: a bare word could name a local program.
    const QUrl address(url, QUrl::StrictMode);
    if (!address.isValid() || address.isRelative()) {
        return false;
    }
    return QDesktopServices::openUrl(address);
}

QString programDirectory() {
    // The folder the CLI and the settings rule use too, so that both programs agree on it.
    return QString::fromStdU16String(orvanto::platform::runningProgramFolder().u16string());
}

} // namespace orvanto::gui::platform
