#include "controls/common/colorvalue.h"

#include <array>
#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr int SystemColorCount = 31;

// Colours of the classic desktop scheme, for the indices no palette role stands for.
constexpr std::array<quint32, SystemColorCount> ClassicColors{
    rgbValue(212, 208, 200), // 0 scroll bar
    rgbValue(58, 110, 165),  // 1 desktop
    rgbValue(10, 36, 106),   // 2 active caption
    rgbValue(128, 128, 128), // 3 inactive caption
    rgbValue(212, 208, 200), // 4 menu
    rgbValue(255, 255, 255), // 5 window
    rgbValue(0, 0, 0),       // 6 window frame
    rgbValue(0, 0, 0),       // 7 menu text
    rgbValue(0, 0, 0),       // 8 window text
    rgbValue(255, 255, 255), // 9 caption text
    rgbValue(212, 208, 200), // 10 active border
    rgbValue(212, 208, 200), // 11 inactive border
    rgbValue(128, 128, 128), // 12 application workspace
    rgbValue(10, 36, 106),   // 13 highlight
    rgbValue(255, 255, 255), // 14 highlighted text
    rgbValue(212, 208, 200), // 15 button face
    rgbValue(128, 128, 128), // 16 button shadow
    rgbValue(128, 128, 128), // 17 grey text
    rgbValue(0, 0, 0),       // 18 button text
    rgbValue(212, 208, 200), // 19 inactive caption text
    rgbValue(255, 255, 255), // 20 3-D highlight
    rgbValue(64, 64, 64),    // 21 3-D dark shadow
    rgbValue(212, 208, 200), // 22 3-D light
    rgbValue(0, 0, 0),       // 23 tooltip text
    rgbValue(255, 255, 225), // 24 tooltip background
    rgbValue(181, 181, 181), // 25 (unused)
    rgbValue(0, 0, 128),     // 26 hot-tracked item
    rgbValue(166, 202, 240), // 27 active caption gradient
    rgbValue(192, 192, 192), // 28 inactive caption gradient
    rgbValue(212, 208, 200), // 29 menu highlight
    rgbValue(212, 208, 200), // 30 menu bar
};

// The indices with a palette role of the same meaning follow the application palette.
bool paletteRole(int index, QPalette::ColorGroup &group, QPalette::ColorRole &role)
{
    group = QPalette::Active;
    switch (index) {
    case 5:
        role = QPalette::Base;
        return true;
    case 8:
        role = QPalette::Text;
        return true;
    case 12: // the workspace behind documents: a grey darker than the button face
        role = QPalette::Dark;
        return true;
    case 13:
        role = QPalette::Highlight;
        return true;
    case 14:
        role = QPalette::HighlightedText;
        return true;
    case 15:
        role = QPalette::Button;
        return true;
    case 16:
        role = QPalette::Dark;
        return true;
    case 17:
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true;
    case 18:
        role = QPalette::ButtonText;
        return true;
    case 20:
        role = QPalette::Light;
        return true;
    case 21:
        role = QPalette::Shadow;
        return true;
    case 22:
        role = QPalette::Midlight;
        return true;
    default:
        return false;
    }
}

qint32 systemRgb(int index)
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    // Without a GUI application (tools, core tests) the classic colours stand in.
    const bool hasPalette = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (hasPalette && paletteRole(index, group, role)) {
        const QColor color = QGuiApplication::palette().color(group, role);
        return qint32(fromQColor(color));
    }
    return qint32(ClassicColors[size_t(index)]);
}

} // namespace

qint32 resolvedRgb(quint32 value)
{
    if (isSystemColor(value)) {
        const quint32 index = value & 0x7FFFFFFFu;
        return index < SystemColorCount ? systemRgb(int(index)) : -1;
    }
    return (value & 0xFF000000u) == 0 ? qint32(value) : -1;
}

QColor toQColor(quint32 value)
{
    const qint32 rgb = resolvedRgb(value);
    if (rgb < 0)
        return {};
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

quint32 fromQColor(const QColor &color)
{
    return rgbValue(color.red(), color.green(), color.blue());
}
