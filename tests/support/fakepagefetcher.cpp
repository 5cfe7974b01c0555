#include "fakepagefetcher.h"

QString FakePageFetcher::FetchPage(const QString &address)
{
    fetched.append(address);
    if (duringFetch)
        duringFetch(address);
    const auto it = m_pages.find(address);
    if (it == m_pages.end() || it->isEmpty())
        return {};
    return it->size() > 1 ? it->takeFirst() : it->first();
}
