#include "controls/tasklist/arrowlabel.h"

#include "controls/common/uifonts.h"

#include <QMouseEvent>
#include <QPalette>

ArrowLabel::ArrowLabel(const QString &arrow, const QColor &background, QWidget *parent)
    : QLabel(arrow, parent)
{
    QFont font = windowFont();
    font.setBold(true);
    setFont(font);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
}

void ArrowLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed |= event->button();
    event->accept();
}

void ArrowLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!(m_pressed & event->button()))
        return;
    m_pressed &= ~event->button();
    Q_EMIT released();
}
