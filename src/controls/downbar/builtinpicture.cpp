#include "controls/downbar/builtinpicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

void drawPage(QPainter &p)
{
    p.setPen(QPen(QColor(60, 72, 96), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(10, 4, 40, 50), 3, 3);
    // the panels of the page
    p.setPen(QPen(QColor(120, 132, 156), 1.5));
    p.setBrush(QColor(222, 230, 244));
    p.drawRect(QRectF(15, 9, 30, 14));
    p.drawRect(QRectF(15, 27, 13, 22));
    p.drawRect(QRectF(32, 27, 13, 22));
}

void drawArrow(QPainter &p)
{
    const QPolygon arrow{{{40, 26}, {50, 26}, {50, 40}, {58, 40}, {45, 56}, {32, 40}, {40, 40}}};
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(33, 112, 228));
    p.drawPolygon(arrow);
}

QImage drawPicture()
{
    QImage image(64, 62, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawPage(p);
    drawArrow(p);
    return image;
}

} // namespace

QImage builtinBarPicture()
{
    static const QImage picture = drawPicture();
    return picture;
}
