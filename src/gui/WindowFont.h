// The font every window uses: "微软雅黑" where installed, else the nearest CJK sans serif.
#pragma once

#include <QFont>

namespace orvanto::gui {

QFont windowFont(qreal pointSize, bool bold = false);

} // namespace orvanto::gui
