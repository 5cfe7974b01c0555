#pragma once

#include "web/pagefetcher.h"

#include <functional>
#include <QHash>
#include <QStringList>

// Serves pages from a script without any network: each address answers its queued texts in turn
// and then its last one again; an address without a script answers empty text (a failed fetch).
class FakePageFetcher final : public PageFetcher
{
public:
    QStringList fetched;  // every address asked for, in order
    QStringList referers; // the Referer of each of them ("" for none)
    // Runs while a page is being fetched, before the answer (e.g. a pause pressed meanwhile).
    std::function<void(const QString &address)> duringFetch;

    void setPage(const QString &address, const QString &text) { m_pages[address] = {text}; }
    void setAnswers(const QString &address, const QStringList &texts) { m_pages[address] = texts; }
    QString FetchPage(const QString &address) override { return FetchPage(address, QString()); }
    QString FetchPage(const QString &address, const QString &referer) override;

private:
    QHash<QString, QStringList> m_pages;
};
