#include "WindowFit.h"

#include <QFont>
#include <QRect>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace orvanto::gui {

namespace {

const char* const kDesignedGeometry = "orvantoDesignedGeometry";
const char* const kDesignedPointSize = "orvantoDesignedPointSize";

int scaled(int length, qreal scale) {
    return int(std::lround(length * scale));
}

// Edges are scaled rather than sizes, so that labels that touched still touch.
QRect scaledRect(const QRect& rect, qreal scale, int minimumHeight) {
    const int left = scaled(rect.left(), scale);
    const int top = scaled(rect.top(), scale);
    const int right = scaled(rect.left() + rect.width(), scale);
    const int bottom = scaled(rect.top() + rect.height(), scale);
    return {left, top, std::max(1, right - left), std::max(minimumHeight, bottom - top)};
}

void scaleFont(QWidget* widget, qreal scale) {
    QVariant designed = widget->property(kDesignedPointSize);
    if (!designed.isValid()) {
        designed = widget->font().pointSizeF();
        widget->setProperty(kDesignedPointSize, designed);
    }
    if (designed.toReal() <= 0) {
        return; // a pixel-sized font is left alone
    }
    QFont font = widget->font();
    font.setPointSizeF(designed.toReal() * scale);
    widget->setFont(font);
}

} // namespace

qreal fitScale(const QSize& available, const QSize& designed, const QSize& fixedParts) {
    if (designed.isEmpty()) {
        return 1.0;
    }
    const qreal across = qreal(available.width() - fixedParts.width()) / designed.width();
    const qreal down = qreal(available.height() - fixedParts.height()) / designed.height();
    return std::clamp(std::min(across, down), kSmallestFit, 1.0);
}

void scaleChildren(QWidget* client, qreal scale) {
    scaleFont(client, scale);
    for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVariant designed = child->property(kDesignedGeometry);
        if (!designed.isValid()) {
            designed = child->geometry();
            child->setProperty(kDesignedGeometry, designed);
        }
        // A line one pixel thick stays visible.
        child->setGeometry(scaledRect(designed.toRect(), scale, 1));
        if (child->testAttribute(Qt::WA_SetFont)) {
            scaleFont(child, scale);
        }
    }
}

} // namespace orvanto::gui
