// The part of the platform layer that Qt already makes the same everywhere.
#include "Platform.h"

#include <QCoreApplication>

namespace orvanto::gui::platform {

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

} // namespace orvanto::gui::platform
