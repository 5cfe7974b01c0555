#pragma once

#include <QRegion>
#include <QtGlobal>

#include <optional>

// What a style changes on the button besides its pixels; the button applies these after the
// background and before the picture and caption are drawn.
struct ButtonStyleEffects
{
    // Styles 3, 5 and 14: the colour the surface is cleared with from now on (the container's
    // background colour, resolved). The style has already filled its surface with it where it
    // changes it.
    std::optional<int> surfaceColor;

    // Style 3: the new stored ForeColor (a stored value: SystemColor::ButtonText or white).
    std::optional<quint32> foreColor;

    // Styles 4, 7 and 16: MousePointer becomes 0.
    bool resetMousePointer = false;

    // Style 16: Caption becomes the empty text before the content is drawn.
    bool clearCaption = false;

    // Set when the style ran UpdateRegion: the window shape to apply (UpdateRegion's result).
    std::optional<QRegion> region;
};
