#pragma once

#include <QRegion>

// The window shape of a button of the given style and size: rounded rectangles for the rounded
// styles (corner ellipse 3 x 3 for 2, 4, 6, 8; 4 x 4 for 3, 10; 18 x 18 for 14), the plain
// rectangle (0, 0, width, height) for every other style.
QRegion UpdateRegion(int buttonStyle, int width, int height);

// The corner ellipse size of a style's shape; 0 for the plain rectangle.
int cornerEllipseOf(int buttonStyle);
