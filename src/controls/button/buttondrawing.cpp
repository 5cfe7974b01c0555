#include "controls/button/buttondrawing.h"

#include "controls/common/colorvalue.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <QPainter>
#include <vector>

namespace {

struct Channels
{
    int r = 0;
    int g = 0;
    int b = 0;
};

// Integer division truncates toward zero, as the colour arithmetic was designed with.
Channels channelsOf(int colour)
{
    return {colour & 255, (colour / 256) & 255, (colour / 65536) & 255};
}

int colourOf(const Channels &c)
{
    return c.r + 256 * c.g + 65536 * c.b;
}

int roundEven(double v)
{
    return int(std::nearbyint(v)); // the default rounding mode: nearest, ties to even
}

QRgb toRgb(int colour)
{
    const Channels c = channelsOf(colour);
    return qRgb(c.r, c.g, c.b);
}

bool inside(const QImage &surface, int x, int y)
{
    return x >= 0 && y >= 0 && x < surface.width() && y < surface.height();
}

void plot(QImage &surface, int x, int y, QRgb rgb)
{
    if (inside(surface, x, y))
        reinterpret_cast<QRgb *>(surface.scanLine(y))[x] = rgb;
}

void fillClipped(QImage &surface, int left, int top, int right, int bottom, QRgb rgb)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, surface.width());
    bottom = std::min(bottom, surface.height());
    for (int y = top; y < bottom; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(surface.scanLine(y));
        std::fill(line + left, line + std::max(left, right), rgb);
    }
}

std::vector<QRgb> gradientTable(int from, int to, int n)
{
    const Channels f = channelsOf(from);
    const Channels t = channelsOf(to);
    if (n == 0)
        return {qRgb(f.r / 2 + t.r / 2, f.g / 2 + t.g / 2, f.b / 2 + t.b / 2)};
    std::vector<QRgb> table;
    table.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i)
        table.push_back(
            qRgb(f.r + (t.r - f.r) * i / n, f.g + (t.g - f.g) * i / n, f.b + (t.b - f.b) * i / n));
    return table;
}

int gradientSteps(int width, int height, GradientDirection direction)
{
    switch (direction) {
    case GradientDirection::Horizontal:
        return width - 1;
    case GradientDirection::Vertical:
        return height - 1;
    case GradientDirection::DiagonalDown:
    case GradientDirection::DiagonalUp:
        break;
    }
    return width + height - 2;
}

int gradientIndex(int px, int py, int height, GradientDirection direction)
{
    switch (direction) {
    case GradientDirection::Horizontal:
        return px;
    case GradientDirection::Vertical:
        return py;
    case GradientDirection::DiagonalDown:
        return px + py;
    case GradientDirection::DiagonalUp:
        break;
    }
    return px + (height - 1 - py);
}

// The top and left sides of rect in one colour, then the bottom and right sides in the other.
void drawRing(QImage &surface, const PixelRect &r, int topLeft, int bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QRgb light = toRgb(topLeft);
    const QRgb dark = toRgb(bottomRight);
    fillClipped(surface, r.left, r.top, r.right, r.top + 1, light);
    fillClipped(surface, r.left, r.top, r.left + 1, r.bottom, light);
    fillClipped(surface, r.left, r.bottom - 1, r.right, r.bottom, dark);
    fillClipped(surface, r.right - 1, r.top, r.right, r.bottom, dark);
}

PixelRect shrunk(const PixelRect &r)
{
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void invert(QImage &surface, int x, int y)
{
    if (inside(surface, x, y)) {
        QRgb &pixel = reinterpret_cast<QRgb *>(surface.scanLine(y))[x];
        pixel = 0xFF000000u | (~pixel & 0x00FFFFFFu);
    }
}

} // namespace

QImage makeButtonSurface(int width, int height)
{
    QImage surface(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    surface.fill(Qt::black);
    return surface;
}

int pixelColor(const QImage &surface, int x, int y)
{
    if (!inside(surface, x, y))
        return -1;
    const QRgb rgb = surface.pixel(x, y);
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}

int TranslateColor(quint32 colour)
{
    return resolvedRgb(colour);
}

int ShiftColor(int colour, float amount)
{
    const Channels c = channelsOf(colour);
    // The step is a single-precision product; adding the channel is done in double precision,
    // so a step just off a half is not rounded onto it.
    const double step = amount * 255.0f;
    const auto shift = [amount, step](int v) {
        const int shifted = roundEven(step + v);
        return amount > 0 ? std::min(shifted, 255) : std::max(shifted, 0);
    };
    return colourOf({shift(c.r), shift(c.g), shift(c.b)});
}

int MidColor(int a, int b)
{
    const Channels x = channelsOf(a);
    const Channels y = channelsOf(b);
    const auto mid = [](int u, int v) { return roundEven((u + v) / 2.0); };
    return colourOf({mid(x.r, y.r), mid(x.g, y.g), mid(x.b, y.b)});
}

void DrawGradient(QImage &surface, int x, int y, int width, int height, int from, int to,
                  GradientDirection direction)
{
    if (width <= 0 || height <= 0)
        return;
    const std::vector<QRgb> table = gradientTable(from, to, gradientSteps(width, height, direction));
    const int top = std::max(y, 0);
    const int bottom = std::min(y + height, surface.height());
    const int left = std::max(x, 0);
    const int right = std::min(x + width, surface.width());
    for (int sy = top; sy < bottom; ++sy) {
        QRgb *line = reinterpret_cast<QRgb *>(surface.scanLine(sy));
        for (int sx = left; sx < right; ++sx)
            line[sx] = table[size_t(gradientIndex(sx - x, sy - y, height, direction))];
    }
}

void DrawLine(QImage &surface, int x1, int y1, int x2, int y2, int colour)
{
    if (colour < 0)
        return;
    const QRgb rgb = toRgb(colour);
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(surface, x, y, rgb);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void DrawFrame(QImage &surface, int x, int y, int width, int height, int colour)
{
    if (colour < 0 || width <= 0 || height <= 0)
        return;
    const QRgb rgb = toRgb(colour);
    fillClipped(surface, x, y, x + width, y + 1, rgb);
    fillClipped(surface, x, y + height - 1, x + width, y + height, rgb);
    fillClipped(surface, x, y, x + 1, y + height, rgb);
    fillClipped(surface, x + width - 1, y, x + width, y + height, rgb);
}

void FillArea(QImage &surface, const PixelRect &rect, int colour)
{
    if (colour < 0)
        return;
    fillClipped(surface, rect.left, rect.top, rect.right, rect.bottom, toRgb(colour));
}

void DrawCorners(QImage &surface, int colour)
{
    if (colour < 0)
        return;
    const QRgb rgb = toRgb(colour);
    const int w = surface.width();
    const int h = surface.height();
    plot(surface, 1, 1, rgb);
    plot(surface, 1, h - 2, rgb);
    plot(surface, w - 2, 1, rgb);
    plot(surface, w - 2, h - 2, rgb);
}

void DrawEdge(QImage &surface, const PixelRect &rect, EdgeKind kind)
{
    const int highlight = TranslateColor(SystemColor::ButtonHighlight);
    const int light = TranslateColor(SystemColor::ButtonLight);
    const int shadow = TranslateColor(SystemColor::ButtonShadow);
    const int darkShadow = TranslateColor(SystemColor::DarkShadow);
    switch (kind) {
    case EdgeKind::Raised:
        drawRing(surface, rect, light, darkShadow);
        drawRing(surface, shrunk(rect), highlight, shadow);
        break;
    case EdgeKind::RaisedThin:
        drawRing(surface, rect, highlight, shadow);
        break;
    case EdgeKind::Sunken:
        drawRing(surface, rect, shadow, highlight);
        drawRing(surface, shrunk(rect), darkShadow, light);
        break;
    }
}

void DrawFocusRect(QImage &surface, const PixelRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const auto dot = [&](int x, int y) {
        if (((x - rect.left) + (y - rect.top)) % 2 == 0)
            invert(surface, x, y);
    };
    const int lastX = rect.right - 1;
    const int lastY = rect.bottom - 1;
    for (int x = rect.left; x <= lastX; ++x) {
        dot(x, rect.top);
        if (lastY > rect.top)
            dot(x, lastY);
    }
    for (int y = rect.top + 1; y < lastY; ++y) {
        dot(rect.left, y);
        if (lastX > rect.left)
            dot(lastX, y);
    }
}

void CopyContainerBackground(QImage &surface, const QImage &background)
{
    if (background.isNull())
        return;
    QPainter painter(&surface);
    painter.drawImage(0, 0, background);
}
