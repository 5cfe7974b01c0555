#include "controls/downbar/builtinpicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

// Kept light on the left, where the bar shows its percentage over the picture.
void drawPage(QPainter &p)
{
    p.setPen(QPen(QColor(150, 165, 190), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 3, 42, 54), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 226, 244));
    p.drawRect(QRectF(11, 8, 32, 13));
    p.drawRect(QRectF(31, 25, 12, 10));
}

void drawArrow(QPainter &p)
{
    const QPolygon arrow{{{42, 28}, {52, 28}, {52, 42}, {60, 42}, {47, 58}, {34, 42}, {42, 42}}};
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
