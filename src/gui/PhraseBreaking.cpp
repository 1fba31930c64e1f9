#include "PhraseBreaking.h"

#include <QFontMetrics>

namespace orvanto::gui {

QString breakBetweenPhrases(const QStringList& phrases, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& phrase : phrases) {
        if (phrase.isEmpty()) {
            continue;
        }
        if (!line.isEmpty() && metrics.horizontalAdvance(line + phrase) <= width) {
            line += phrase;
            continue;
        }
        if (!line.isEmpty()) {
            lines << line;
        }
        if (metrics.horizontalAdvance(phrase) <= width) {
            line = phrase;
        } else {
            lines << metrics.elidedText(phrase, Qt::ElideMiddle, width);
            line.clear();
        }
    }
    if (!line.isEmpty()) {
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace orvanto::gui
