#pragma once

#include <memory>
#include <QNetworkCookieJar>

// A network manager's cookie jar that keeps its cookies in a store shared with the other managers
// of the program, so a cookie a page sets goes with the images too. The manager owns the jar;
// the store lives as long as any jar or the network setup holds it. The store's own rules decide
// which cookies a request carries, as a browser's do: host, path, secure flag and expiry.
class SharedCookieJar final : public QNetworkCookieJar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SharedCookieJar)

public:
    explicit SharedCookieJar(std::shared_ptr<QNetworkCookieJar> store) : m_store(std::move(store)) {}

    QList<QNetworkCookie> cookiesForUrl(const QUrl &url) const override
    {
        return m_store->cookiesForUrl(url);
    }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &cookies, const QUrl &url) override
    {
        return m_store->setCookiesFromUrl(cookies, url);
    }

private:
    std::shared_ptr<QNetworkCookieJar> m_store;
};
