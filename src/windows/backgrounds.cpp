#include "windows/backgrounds.h"

#include "controls/common/uifonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QSize>

namespace {

const QColor brandBlue(33, 112, 228);

} // namespace

void paintMainWindowBackground(QPainter &painter, const QSize &size)
{
    QLinearGradient header(0, 0, 0, 40);
    header.setColorAt(0, brandBlue.lighter(115));
    header.setColorAt(1, brandBlue);
    painter.fillRect(0, 0, size.width(), 40, header);

    painter.setPen(Qt::white);
    QFont title = windowFont(11);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(12, 0, 300, 33), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tavrin漫画下载器"));

    painter.fillRect(0, 40, size.width(), size.height() - 40, QColor(245, 248, 253));
    painter.setPen(brandBlue.darker(120));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
}

void paintNewTaskPanelBackground(QPainter &painter, const QSize &size)
{
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(226, 236, 252));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(face);
    painter.setPen(QPen(brandBlue, 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
}
