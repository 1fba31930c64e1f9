#include "CellLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextDocument>

namespace orvanto::gui {

CellLabel::CellLabel(QWidget* parent) : QLabel(parent) {
    // Workbook texts are never markup, whatever they look like.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CellLabel::setCaption(const QString& caption) {
    m_caption = caption;
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
}

void CellLabel::setHoverText(const QString& hoverText) {
    m_hoverText = hoverText;
    // Tool tips guess at markup; text that looks like it is escaped and kept on one line.
    if (Qt::mightBeRichText(hoverText)) {
        setToolTip(
            QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(hoverText.toHtmlEscaped()));
    } else {
        setToolTip(hoverText);
    }
}

void CellLabel::setOtherClasses(int count) {
    if (count != m_otherClasses) {
        m_otherClasses = count;
        update();
    }
}

QRect CellLabel::badgeRect() const {
    if (m_otherClasses <= 0) {
        return {};
    }
    const QFontMetrics metrics(font());
    const QString text = QStringLiteral("+%1").arg(m_otherClasses);
    const int margin = 2;
    const QSize size(metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth() / 2 + 2,
                     metrics.height());
    return {QPoint(width() - size.width() - margin, height() - size.height() - margin), size};
}

void CellLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    const QRect badge = badgeRect();
    if (badge.isEmpty()) {
        return;
    }
    // Drawn, never part of the caption: the cell's text stays the workbook's.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawRoundedRect(badge, badge.height() / 3.0, badge.height() / 3.0);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("+%1").arg(m_otherClasses));
}

} // namespace orvanto::gui
