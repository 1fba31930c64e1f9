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

namespace {

QPixmap picture(const QString& name, const QString& suffix, qreal devicePixelRatio) {
    loadResources();
    if (devicePixelRatio > 1.0) {
        QPixmap sharp(QStringLiteral(":/") + name + QStringLiteral("@2x") + suffix);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(QStringLiteral(":/") + name + suffix);
}

} // namespace

QPixmap splashPicture(qreal devicePixelRatio) {
    return picture(QStringLiteral("splash"), QStringLiteral(".jpg"), devicePixelRatio);
}

QPixmap aboutBanner(qreal devicePixelRatio) {
    return picture(QStringLiteral("banner"), QStringLiteral(".gif"), devicePixelRatio);
}

} // namespace orvanto::gui
