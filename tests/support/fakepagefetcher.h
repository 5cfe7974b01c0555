#pragma once

#include "web/pagefetcher.h"

#include <functional>
#include <QHash>
#include <QStringList>

// Serves pages from a script without any network: each address answers its queued texts in turn
// and then its last one again; an address without a script answers empty text (a failed fetch).
// A redirected address answers the page of its target, found at the target.
class FakePageFetcher final : public PageFetcher
{
public:
    QStringList fetched;  // every address asked for, in order
    QStringList referers; // the Referer of each of them ("" for none)
    // Runs while a page is being fetched, before the answer (e.g. a pause pressed meanwhile).
    std::function<void(const QString &address)> duringFetch;

    void setPage(const QString &address, const QString &text) { m_pages[address] = {text}; }
    void setAnswers(const QString &address, const QStringList &texts) { m_pages[address] = texts; }
    void setRedirect(const QString &address, const QString &target) { m_redirects[address] = target; }
    QString FetchPage(const QString &address) override { return FetchPageAndAddress(address, QString()).text; }
    QString FetchPage(const QString &address, const QString &referer) override
    {
        return FetchPageAndAddress(address, referer).text;
    }
    FetchedPage FetchPageAndAddress(const QString &address, const QString &referer = {}) override;

private:
    QHash<QString, QStringList> m_pages;
    QHash<QString, QString> m_redirects;
};
