#pragma once

#include <QString>
#include <QStringView>

// The address of the largest picture a srcset attribute offers ("a.jpg 800w, b.jpg 1600w" or
// "a.jpg, b.jpg 2x"): by width when the candidates give widths, else by pixel density (1x when
// none is given); the first of equals. Candidates are read as browsers read them, so an address
// may hold commas ("w_800,h_1200/a.jpg"). Empty when the value offers none.
QString largestSrcsetCandidate(QStringView srcset);
