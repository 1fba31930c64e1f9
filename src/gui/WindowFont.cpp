#include "WindowFont.h"

#include <QStringList>

namespace orvanto::gui {

QFont windowFont(qreal pointSize, bool bold) {
    QFont font;
    // Linux desktops rarely have YaHei; the fallbacks keep the same metrics class so the
    // fixed label sizes still hold the texts.
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace orvanto::gui
