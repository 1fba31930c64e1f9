#include "ProgramResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a global function, so it cannot be used inside a namespace.
static void initResourcesOnce() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace orvanto::gui {

void loadResources() {
    initResourcesOnce();
}

QIcon programIcon() {
    loadResources();
    // QIcon takes every image of the .ico, so each size is drawn from its own picture.
    return QIcon(QStringLiteral(":/orvanto.ico"));
}

QPixmap splashPicture() {
    loadResources();
    return QPixmap(QStringLiteral(":/splash.jpg"));
}

QPixmap aboutBanner() {
    loadResources();
    return QPixmap(QStringLiteral(":/banner.gif"));
}

} // namespace orvanto::gui
