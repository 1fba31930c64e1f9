// The windows' one typeface, with the fallbacks for systems that lack it.
#pragma once

#include <QFont>

namespace orvanto::windows {

// "微软雅黑" regular at pointSize, falling back to the common CJK faces of Linux desktops.
QFont uiFont(qreal pointSize);

} // namespace orvanto::windows
