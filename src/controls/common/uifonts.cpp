#include "controls/common/uifonts.h"

#include <QStringList>

namespace {

QFont fontOf(const QStringList &families, qreal pointSize)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

QFont windowFont(qreal pointSize)
{
    return fontOf({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei"),
                   QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")},
                  pointSize);
}

QFont barFont(qreal pointSize)
{
    return fontOf({QStringLiteral("SimHei"), QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei"),
                   QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")},
                  pointSize);
}
