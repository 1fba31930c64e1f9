// The part of the platform layer that Qt already makes the same everywhere.
#include "windows/Platform.h"

#include <QCoreApplication>

namespace orvanto::windows::platform {

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

} // namespace orvanto::windows::platform
