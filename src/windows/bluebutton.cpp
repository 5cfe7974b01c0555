#include "windows/bluebutton.h"

#include "controls/button/pexbutton.h"
#include "controls/common/colorvalue.h"

pexbutton *makeBlueButton(QWidget *parent, const QString &name, const QString &caption, const QFont &font)
{
    auto *button = new pexbutton(parent, name);
    button->setObjectName(name);
    // The style first: choosing it sets its own colours.
    button->setButtonStyle(8);
    button->setBackColor(rgbValue(33, 112, 228));
    button->setForeColor(rgbValue(255, 255, 255));
    button->setFont(font);
    button->setCaption(caption);
    return button;
}
