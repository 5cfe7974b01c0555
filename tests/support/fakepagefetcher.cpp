#include "fakepagefetcher.h"

QString FakePageFetcher::FetchPage(const QString &address, const QString &referer)
{
    fetched.append(address);
    referers.append(referer);
    if (duringFetch)
        duringFetch(address);
    const auto it = m_pages.find(address);
    if (it == m_pages.end() || it->isEmpty())
        return {};
    return it->size() > 1 ? it->takeFirst() : it->first();
}
