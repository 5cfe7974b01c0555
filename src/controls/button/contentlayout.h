#pragma once

// Where the picture box and the caption go on a W x H button. Every halving truncates toward zero
// and applies to each term on its own: W / 2 - tw / 2 is not (W - tw) / 2.
struct ContentMetrics
{
    int width = 0;         // W
    int height = 0;        // H
    int pictureWidth = 0;  // pw, the picture box
    int pictureHeight = 0; // ph
    int textWidth = 0;     // tw, ampersands counted as characters
    int textHeight = 0;    // th
    int pictureAlign = 1;  // 0 LeftEdge ... 8 BelowCaption
    int captionAlign = 1;  // 0 AlignLeft, 1 AlignCenter, 2 AlignRight
    bool hasPicture = false;
    bool hasAccessKey = false;
};

struct ContentPlacement
{
    int picX = 0;
    int picY = 0;
    int pictureWidth = 0; // the box, shrunk when it would run off the button
    int pictureHeight = 0;
    int capX = 0;
    int capY = 0;
};

ContentPlacement placeContent(const ContentMetrics &metrics);
