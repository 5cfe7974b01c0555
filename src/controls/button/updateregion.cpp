#include "controls/button/updateregion.h"

#include <algorithm>

namespace {

// How many pixels a corner of an e x e corner ellipse cuts from row y (0 at the edge). A pixel of
// the corner square is cut when its centre lies outside the circle of radius e / 2 - 0.25 around
// the square's middle, which cuts the single corner pixel for 3 x 3 and 4 x 4.
int cornerCut(int ellipse, int row)
{
    const double middle = (ellipse - 1) / 2.0;
    const double radius = ellipse / 2.0 - 0.25;
    int cut = 0;
    for (int x = 0; x < middle && row < middle; ++x) {
        const double dx = middle - x;
        const double dy = middle - row;
        if (dx * dx + dy * dy > radius * radius)
            cut = x + 1;
    }
    return cut;
}

} // namespace

int cornerEllipseOf(int buttonStyle)
{
    switch (buttonStyle) {
    case 2:
    case 4:
    case 6:
    case 8:
        return 3;
    case 3:
    case 10:
        return 4;
    case 14:
        return 18;
    default:
        return 0;
    }
}

QRegion UpdateRegion(int buttonStyle, int width, int height)
{
    const int ellipse = cornerEllipseOf(buttonStyle);
    if (width <= 0 || height <= 0)
        return {};
    if (ellipse == 0)
        return QRegion(0, 0, width, height);
    // Rows of equal cut become one rectangle, so the straight middle is a single band.
    QRegion shape;
    int bandTop = 0;
    int bandCut = -1;
    for (int y = 0; y <= height; ++y) {
        const int cut =
            y == height ? -1 : std::min(cornerCut(ellipse, std::min(y, height - 1 - y)), width / 2);
        if (cut == bandCut)
            continue;
        if (bandCut >= 0)
            shape += QRegion(bandCut, bandTop, width - 2 * bandCut, y - bandTop);
        bandTop = y;
        bandCut = cut;
    }
    return shape;
}
