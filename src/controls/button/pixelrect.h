#pragma once

// A rectangle of button pixels as (left, top, right, bottom), right and bottom excluded.
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect &) const = default;
};
