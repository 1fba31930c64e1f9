// Lines for a short status text that may break only between its phrases, never inside a word
// or a file name, at a given width.
#pragma once

#include <QString>
#include <QStringList>

class QFontMetrics;

namespace orvanto::gui {

// Fills each line with as many whole phrases as fit width; a phrase wider than a line alone
// gets a line of its own, shortened in the middle with an ellipsis. Lines are joined by '\n'.
QString breakBetweenPhrases(const QStringList& phrases, const QFontMetrics& metrics, int width);

} // namespace orvanto::gui
