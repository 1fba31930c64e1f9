#include "RulingLine.h"

#include <QPainter>
#include <QPen>

namespace orvanto::gui {

RulingLine::RulingLine(QWidget* parent, int y, int length, QColor colour, Qt::PenStyle style,
                       int width)
    : QWidget(parent), m_colour(colour), m_style(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, y, length, width);
}

void RulingLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_style == Qt::SolidLine) {
        painter.fillRect(rect(), m_colour);
        return;
    }
    QPen pen(m_colour, height(), m_style, Qt::FlatCap);
    painter.setPen(pen);
    qreal middle = height() / 2.0;
    painter.drawLine(QPointF(0, middle), QPointF(width(), middle));
}

} // namespace orvanto::gui
