#include "controls/downbar/twipgeometry.h"

#include "platform/twips.h"

#include <cmath>

int roundedPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

QRect twipsToPixelRect(const QRect &twips)
{
    const int left = roundedPixels(twips.x());
    const int top = roundedPixels(twips.y());
    const int right = roundedPixels(twips.x() + twips.width());
    const int bottom = roundedPixels(twips.y() + twips.height());
    return QRect(left, top, right - left, bottom - top);
}

QLine twipsToPixelLine(const QLine &twips)
{
    return QLine(roundedPixels(twips.x1()), roundedPixels(twips.y1()), roundedPixels(twips.x2()),
                 roundedPixels(twips.y2()));
}

QPoint pixelsToTwipPoint(const QPoint &pixels)
{
    return QPoint(pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()));
}
