#pragma once

#include "controls/button/pixelrect.h"

#include <QImage>
#include <QtGlobal>

// The drawing routines every button style shares. They draw on a button surface: a QImage of exactly
// the button's size (W x H pixels, Format_RGB32). Colours are resolved values r + 256 g + 65536 b;
// -1 is a colour that could not be resolved: solid drawing with it leaves the surface as it is,
// gradients and colour arithmetic use its bits like any other value. All drawing is clipped to
// the surface.

enum class GradientDirection
{
    Horizontal = 0,   // from at the left
    Vertical = 1,     // from at the top
    DiagonalDown = 2, // from at the top-left corner
    DiagonalUp = 3,   // from at the bottom-left corner
};

enum class EdgeKind
{
    Raised,     // two pixels: light outer and highlight inner ring over dark-shadow and shadow
    RaisedThin, // one pixel: highlight over shadow
    Sunken,     // two pixels: shadow outer and dark-shadow inner ring over highlight and light
};

// A new surface of the given size, filled with black.
QImage makeButtonSurface(int width, int height);

// The pixel at (x, y) as r + 256 g + 65536 b; -1 outside the surface.
int pixelColor(const QImage &surface, int x, int y);

// A stored colour (RGB or 0x80000000 + system index) resolved; -1 when it cannot be.
int TranslateColor(quint32 colour);

// Each channel moved by amount * 255, rounded half to even; only the side moved towards is clamped.
int ShiftColor(int colour, float amount);

// Each channel the mean of both, rounded half to even.
int MidColor(int a, int b);

void DrawGradient(QImage &surface, int x, int y, int width, int height, int from, int to,
                  GradientDirection direction);

// One-pixel line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
void DrawLine(QImage &surface, int x1, int y1, int x2, int y2, int colour);

// One-pixel outline of (x, y, x + width, y + height).
void DrawFrame(QImage &surface, int x, int y, int width, int height, int colour);

void FillArea(QImage &surface, const PixelRect &rect, int colour);

// The pixels (1, 1), (1, H - 2), (W - 2, 1) and (W - 2, H - 2) that soften a rounded shape.
void DrawCorners(QImage &surface, int colour);

// A 3-D edge on all four sides of rect, in the system's 3-D colours.
void DrawEdge(QImage &surface, const PixelRect &rect, EdgeKind kind);

// Dotted outline drawn by inverting every other pixel: drawing it twice removes it.
void DrawFocusRect(QImage &surface, const PixelRect &rect);

// The container's image under the button copied at (0, 0); a null image copies nothing.
void CopyContainerBackground(QImage &surface, const QImage &background);
