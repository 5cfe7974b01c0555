#include "windows/captionframe.h"

#include <QPainter>

namespace {

constexpr int CaptionLeft = 8;
constexpr int CaptionPadding = 2;
const QColor BorderColour(192, 192, 192);

} // namespace

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent) : QWidget(parent), m_caption(caption)
{
    setObjectName(caption);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    painter.setPen(BorderColour);
    painter.drawRect(QRect(0, lineY, width() - 1, height() - 1 - lineY));
    if (m_caption.isEmpty())
        return;
    const QRect captionBox(CaptionLeft, 0, metrics.horizontalAdvance(m_caption) + 2 * CaptionPadding,
                           metrics.height());
    painter.fillRect(captionBox, palette().color(backgroundRole()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionBox, Qt::AlignCenter, m_caption);
}
