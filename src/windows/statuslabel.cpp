#include "windows/statuslabel.h"

#include "controls/common/uifonts.h"

StatusLabel::StatusLabel(QWidget *parent) : QLabel(parent)
{
    setFont(windowFont());
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(33, 112, 228));
    setPalette(colours);
    setTextFormat(Qt::PlainText);
}

void StatusLabel::setText(const QString &text)
{
    QLabel::setText(text);
    adjustSize();
}
