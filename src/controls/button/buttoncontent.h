#pragma once

#include "controls/button/buttoncontentinput.h"
#include "controls/button/buttonpicture.h"
#include "controls/button/pixelrect.h"

#include <optional>
#include <QImage>
#include <QSize>

struct ButtonContentResult
{
    QSize pictureBox;                      // pw x ph as this drawing left it
    std::optional<PixelRect> captionFrame; // set when this drawing stores the caption frame
};

// Lays out and draws the picture and the one-line caption over the style's background.
ButtonContentResult DrawContent(QImage &surface, const ButtonContentInput &input);

// The picture in grey, stretched to width x height at (x, y); an icon keeps its transparent parts,
// a bitmap covers its whole box.
void DrawGrayed(QImage &surface, const ButtonPicture &picture, int x, int y, int width, int height);

// The caption's size as the font measures it, ampersands counted as ordinary characters.
QSize captionSize(const QImage &surface, const QFont &font, const QString &caption);
