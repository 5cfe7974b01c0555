#pragma once

#include <QString>

// A fetched page and the address it was found at, after any redirects.
struct FetchedPage
{
    QString text;
    QString address;
};

// Fetches one page as text: the body decoded by the charset the page declares, empty text when
// the page cannot be had. The walk depends on this seam, so tests may script pages.
class PageFetcher
{
public:
    virtual ~PageFetcher() = default;
    virtual QString FetchPage(const QString &address) = 0;
    // The same fetch, also telling where the page was found. A fetcher that knows of no redirect
    // answers the address asked for.
    virtual FetchedPage FetchPageAndAddress(const QString &address) { return {FetchPage(address), address}; }
};
