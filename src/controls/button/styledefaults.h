#pragma once

#include <optional>
#include <QtGlobal>

// The colours and focus rectangle a style brings along when it is chosen.
struct StyleDefaults
{
    quint32 backColor = 0;
    quint32 foreColor = 0;
    bool showFocusRect = false;
};

// None for a value outside 0-16: such a style changes nothing.
std::optional<StyleDefaults> styleDefaultsOf(int buttonStyle);
