#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>

// The controls keep their layout in twips and hand rounded pixels to Qt. Each edge is rounded on
// its own, so rectangles that touch in twips still touch on screen.
int roundedPixels(int twips);
QRect twipsToPixelRect(const QRect &twips);
QLine twipsToPixelLine(const QLine &twips);
QPoint pixelsToTwipPoint(const QPoint &pixels);
