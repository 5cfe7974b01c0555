#include "windows/mainwindowbuttons.h"

#include "controls/button/pexbutton.h"
#include "controls/common/colorvalue.h"
#include "controls/common/uifonts.h"
#include "platform/twips.h"

namespace {

pexbutton *placeButton(QWidget *parent, const QString &name, const QString &caption, QRect place)
{
    auto *button = new pexbutton(parent, name);
    button->setObjectName(name);
    button->setRunMode(true);
    button->setCaption(caption);
    button->setTwipsGeometry(place.x() * TwipsPerPixel, place.y() * TwipsPerPixel, place.width() * TwipsPerPixel,
                             place.height() * TwipsPerPixel);
    return button;
}

} // namespace

pexbutton *makeTaskButton(QWidget *parent, const QString &name, const QString &caption, int x, int y, int width,
                          int height)
{
    pexbutton *button = placeButton(parent, name, caption, QRect(x, y, width, height));
    button->setButtonStyle(2);
    button->setFont(windowFont());
    button->setForeColor(rgbValue(0, 0, 0));
    button->setHandPointer(true);
    return button;
}

pexbutton *makeTitleButton(QWidget *parent, const QString &name, const QString &caption, int x, int y, int width,
                           int height)
{
    pexbutton *button = placeButton(parent, name, caption, QRect(x, y, width, height));
    button->setButtonStyle(8);
    QFont font = windowFont(12);
    font.setBold(true);
    button->setFont(font);
    button->setBackColor(rgbValue(33, 112, 228));
    button->setForeColor(rgbValue(255, 255, 255));
    return button;
}
