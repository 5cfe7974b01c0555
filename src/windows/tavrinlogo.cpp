#include "windows/tavrinlogo.h"

#include <QPainter>
#include <QPainterPath>

QPixmap tavrinLogo(int size)
{
    QPixmap logo(size, size);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(33, 112, 228));
    painter.drawRoundedRect(QRectF(0, 0, 64, 64), 12, 12);

    // The balloon of a comic, with its tail to the lower left.
    QPainterPath balloon;
    balloon.addEllipse(QRectF(8, 9, 48, 38));
    QPainterPath tail;
    tail.moveTo(16, 38);
    tail.lineTo(10, 56);
    tail.lineTo(28, 44);
    tail.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(balloon.united(tail));

    // A download arrow inside it.
    QPainterPath arrow;
    arrow.moveTo(28, 15);
    arrow.lineTo(36, 15);
    arrow.lineTo(36, 27);
    arrow.lineTo(43, 27);
    arrow.lineTo(32, 39);
    arrow.lineTo(21, 27);
    arrow.lineTo(28, 27);
    arrow.closeSubpath();
    painter.setBrush(QColor(33, 112, 228));
    painter.drawPath(arrow);
    return logo;
}
