#pragma once

#include <QPixmap>

// The program's logo, drawn in code: a blue tile with a white speech balloon holding a download
// arrow. `size` is the side in pixels.
QPixmap tavrinLogo(int size);
