#include "ProgramResources.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtGlobal>

// Q_INIT_RESOURCE names a global function, so it cannot be used inside a namespace.
static void initResourcesOnce() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(resources);
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace orvanto::gui {

void loadResources() {
    initResourcesOnce();
}

void installQtTranslation() {
    loadResources();
    static QTranslator* translator = nullptr;
    if (translator != nullptr) {
        return;
    }
    translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qt_zh_CN.qm"))) {
        QCoreApplication::installTranslator(translator);
    }
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
