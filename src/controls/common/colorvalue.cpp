#include "controls/common/colorvalue.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colour indices the program uses, mapped to the palette roles that mean the same.
QColor systemColor(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 12: // application workspace
        return palette.color(QPalette::Window);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20: // 3-D highlight
        return palette.color(QPalette::Light);
    case 21: // 3-D dark shadow
        return palette.color(QPalette::Shadow);
    case 15: // button face
    default:
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor toQColor(quint32 value)
{
    if (isSystemColor(value))
        return systemColor(value & 0xFFu);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 fromQColor(const QColor &color)
{
    return rgbValue(color.red(), color.green(), color.blue());
}
