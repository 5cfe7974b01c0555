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
    // The same, sent with `referer` (the page that led here) as its Referer; empty sends none.
    // A fetcher that cannot send one fetches without it.
    virtual QString FetchPage(const QString &address, const QString &referer)
    {
        Q_UNUSED(referer);
        return FetchPage(address);
    }
    // The same fetch, also telling where the page was found. A fetcher that knows of no redirect
    // answers the address asked for.
    virtual FetchedPage FetchPageAndAddress(const QString &address, const QString &referer = {})
    {
        return {FetchPage(address, referer), address};
    }
};
