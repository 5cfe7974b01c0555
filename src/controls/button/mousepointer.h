#pragma once

#include "controls/button/buttonpicture.h"

#include <optional>
#include <QCursor>
#include <QtGlobal>

// The pointer a MousePointer kind shows: none (the default pointer) for 0 and unknown kinds,
// the MouseIcon picture for 99 (none when there is no picture).
std::optional<QCursor> cursorForPointer(qint16 kind, const ButtonPicture &mouseIcon);
