#include "fakepagefetcher.h"

FetchedPage FakePageFetcher::FetchPageAndAddress(const QString &address, const QString &referer)
{
    fetched.append(address);
    referers.append(referer);
    if (duringFetch)
        duringFetch(address);
    const QString found = m_redirects.value(address, address);
    const auto it = m_pages.find(found);
    if (it == m_pages.end() || it->isEmpty())
        return {{}, found};
    return {it->size() > 1 ? it->takeFirst() : it->first(), found};
}
