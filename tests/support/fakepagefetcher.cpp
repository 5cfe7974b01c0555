#include "fakepagefetcher.h"

QString FakePageFetcher::FetchPage(const QString &address)
{
    return FetchPageAndAddress(address).text;
}

FetchedPage FakePageFetcher::FetchPageAndAddress(const QString &address)
{
    fetched.append(address);
    if (duringFetch)
        duringFetch(address);
    const QString found = m_redirects.value(address, address);
    const auto it = m_pages.find(found);
    if (it == m_pages.end() || it->isEmpty())
        return {{}, found};
    return {it->size() > 1 ? it->takeFirst() : it->first(), found};
}
