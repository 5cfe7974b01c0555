#include "controls/button/buttoncontent.h"

#include "controls/button/buttondrawing.h"
#include "controls/button/contentlayout.h"
#include "controls/common/colorvalue.h"

#include <algorithm>
#include <QFontMetrics>
#include <QPainter>

namespace {

QSize pictureBoxOf(const ButtonContentInput &in, const ButtonPicture &picture)
{
    switch (in.pictureSize) {
    case 0:
        return picture.size().expandedTo(QSize(0, 0));
    case 1:
        return {16, 16};
    case 2:
        return {24, 24};
    case 3:
        return {32, 32};
    default:
        return in.pictureBox;
    }
}

bool movesWhenPressed(int style)
{
    return style == 0 || style == 1 || style == 3 || style == 8;
}

QPoint pictureOffset(int style, VisualState state)
{
    const bool pressed = state == VisualState::StatePressed;
    if (movesWhenPressed(style))
        return pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (style == 5)
        return pressed ? QPoint(2, 2) : QPoint(-1, -1);
    return {0, 0};
}

PixelRect captionRect(int style, VisualState state, int capX, int capY, int tw, int th)
{
    const bool pressed = state == VisualState::StatePressed;
    if (movesWhenPressed(style) && pressed)
        return {capX + 1, capY + 1, capX + tw + 1, capY + th + 1};
    if (style == 5)
        return pressed ? PixelRect{capX + 1, capY + 2, capX + tw + 1, capY + th + 1}
                       : PixelRect{capX - 2, capY - 2, capX + tw - 2, capY + th - 2};
    if (style == 14)
        return {capX, capY - 1, capX + tw, capY + th - 1};
    return {capX, capY, capX + tw, capY + th};
}

void drawIcon(QImage &surface, const ButtonPicture &icon, const QRect &box)
{
    QPainter painter(&surface);
    painter.drawImage(box, icon.image());
}

// The top-left part of the bitmap, unscaled; pixels of the mask colour let the background show.
void drawBitmap(QImage &surface, const ButtonPicture &bitmap, const QRect &box, bool useMask, int maskColor)
{
    const QImage &image = bitmap.image();
    const int width = std::min(box.width(), image.width());
    const int height = std::min(box.height(), image.height());
    for (int y = 0; y < height; ++y) {
        const int sy = box.y() + y;
        if (sy < 0 || sy >= surface.height())
            continue;
        const QRgb *source = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb *target = reinterpret_cast<QRgb *>(surface.scanLine(sy));
        for (int x = 0; x < width; ++x) {
            const int sx = box.x() + x;
            if (sx < 0 || sx >= surface.width())
                continue;
            const QRgb pixel = source[x];
            if (useMask && int(rgbValue(qRed(pixel), qGreen(pixel), qBlue(pixel))) == maskColor)
                continue;
            target[sx] = 0xFF000000u | pixel;
        }
    }
}

void drawPicture(QImage &surface, const ButtonContentInput &in, const ButtonPicture &normal,
                 const ButtonPicture &hover, const QRect &box)
{
    if (box.width() <= 0 || box.height() <= 0)
        return;
    if (!in.enabled) {
        if (normal.kind() == ButtonPicture::Kind::Icon || normal.kind() == ButtonPicture::Kind::Bitmap)
            DrawGrayed(surface, normal, box.x(), box.y(), box.width(), box.height());
        return;
    }
    const bool checked = in.checkBoxMode && in.value;
    const bool atRest = in.state == VisualState::StateNormal;
    switch (normal.kind()) {
    case ButtonPicture::Kind::Icon:
        drawIcon(surface, atRest ? normal : hover, box);
        if (checked)
            drawIcon(surface, hover, box);
        break;
    case ButtonPicture::Kind::Bitmap:
        drawBitmap(surface, checked || !atRest ? hover : normal, box, in.useMaskColor, in.maskColor);
        break;
    case ButtonPicture::Kind::None:
        break;
    }
}

void drawCaption(QImage &surface, const ButtonContentInput &in, const PixelRect &rect)
{
    const int colour = in.enabled ? in.foreColor : TranslateColor(SystemColor::GrayText);
    if (colour < 0 || rect.width() <= 0 || rect.height() <= 0 || in.caption.isEmpty())
        return;
    // Crisp glyphs in the one text colour, as the button's text has always been drawn.
    QFont font = in.font;
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&surface);
    painter.setFont(font);
    painter.setPen(toQColor(quint32(colour)));
    const QRect box(rect.left, rect.top, rect.width(), rect.height());
    painter.setClipRect(box);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     in.caption);
}

} // namespace

QSize captionSize(const QImage &surface, const QFont &font, const QString &caption)
{
    const QFontMetrics metrics(font, &surface);
    return {metrics.horizontalAdvance(caption), metrics.height()};
}

ButtonContentResult DrawContent(QImage &surface, const ButtonContentInput &in)
{
    const QSize text = captionSize(surface, in.font, in.caption);
    const ButtonPicture normal = in.picture;
    const ButtonPicture hover = in.pictureHover.kind() == normal.kind() ? in.pictureHover : normal;
    const QSize box = pictureBoxOf(in, normal);

    ContentMetrics metrics;
    metrics.width = surface.width();
    metrics.height = surface.height();
    metrics.pictureWidth = box.width();
    metrics.pictureHeight = box.height();
    metrics.textWidth = text.width();
    metrics.textHeight = text.height();
    metrics.pictureAlign = in.pictureAlign;
    metrics.captionAlign = in.captionAlign;
    metrics.hasPicture = !in.picture.isNone();
    metrics.hasAccessKey = in.hasAccessKey;
    const ContentPlacement place = placeContent(metrics);

    ButtonContentResult result;
    result.pictureBox = {place.pictureWidth, place.pictureHeight};
    const bool pressed = in.state == VisualState::StatePressed;
    if (!pressed && in.buttonStyle != 5 && in.buttonStyle != 14)
        result.captionFrame = PixelRect{place.capX - 2, place.capY, place.capX + text.width() + 1,
                                        place.capY + text.height() + 1};

    const QPoint shift = pictureOffset(in.buttonStyle, in.state);
    drawPicture(
        surface, in, normal, hover,
        QRect(place.picX + shift.x(), place.picY + shift.y(), place.pictureWidth, place.pictureHeight));
    drawCaption(surface, in,
                captionRect(in.buttonStyle, in.state, place.capX, place.capY, text.width(), text.height()));
    return result;
}

void DrawGrayed(QImage &surface, const ButtonPicture &picture, int x, int y, int width, int height)
{
    if (picture.isNone() || width <= 0 || height <= 0)
        return;
    const bool hasMask = picture.kind() == ButtonPicture::Kind::Icon;
    QImage image = picture.image().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(width, height))
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (int py = 0; py < height; ++py) {
        const int sy = y + py;
        if (sy < 0 || sy >= surface.height())
            continue;
        const QRgb *source = reinterpret_cast<const QRgb *>(image.constScanLine(py));
        QRgb *target = reinterpret_cast<QRgb *>(surface.scanLine(sy));
        for (int px = 0; px < width; ++px) {
            const int sx = x + px;
            if (sx < 0 || sx >= surface.width())
                continue;
            const QRgb pixel = source[px];
            if (hasMask && qAlpha(pixel) == 0)
                continue; // the mask keeps the background here, and the grey image is black
            const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
            target[sx] = qRgb(grey, grey, grey);
        }
    }
}
