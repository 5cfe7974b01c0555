#pragma once

#include <QImage>

// The bar's own 64 x 62 picture: a comic page with a download arrow, drawn once.
QImage builtinBarPicture();
