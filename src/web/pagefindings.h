#pragma once

#include <QStringList>

// What the reading of one page gives the walk.
struct PageFindings
{
    QStringList images;     // the comic images, in page order
    QStringList candidates; // the links that may lead to the next page, in order
};
