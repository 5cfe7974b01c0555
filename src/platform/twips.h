#pragma once

// Layout lengths are kept in twips as designed; the screen counts 15 twips per pixel.
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}
