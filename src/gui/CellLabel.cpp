#include "CellLabel.h"

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

} // namespace orvanto::gui
