#pragma once

#include <QString>

// Fetches one page as text: the body decoded by the charset the page declares, empty text when
// the page cannot be had. The walk depends on this seam, so tests may script pages.
class PageFetcher
{
public:
    virtual ~PageFetcher() = default;
    virtual QString FetchPage(const QString &address) = 0;
};
