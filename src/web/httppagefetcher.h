#pragma once

#include "web/pagefetcher.h"

#include <chrono>
#include <optional>
#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QSslCertificate>
#include <QUrl>

class QDeadlineTimer;
class QNetworkReply;

// Fetches pages over HTTP(S) with Qt Network. A fetch waits in a nested event loop, so the
// interface stays live (and other handlers may fetch pages themselves) without costing CPU; it
// gives up after the time limit, and on a body larger than the size limit. Redirects are followed.
class HttpPageFetcher final : public PageFetcher
{
    Q_DISABLE_COPY_MOVE(HttpPageFetcher)

public:
    static constexpr std::chrono::milliseconds defaultTimeLimit{10500};
    static constexpr qint64 defaultSizeLimit = 32 * 1024 * 1024;

    HttpPageFetcher();

    // The body decoded by the charset the page declares ("GB2312" when it declares none); empty
    // text on time-out, transport failure, an oversized body or an unknown charset. The HTTP status
    // is not examined: an error page is returned like any other.
    QString FetchPage(const QString &address) override;
    QString FetchPage(const QString &address, const QString &referer) override;
    // The same, with the address of the last redirect's target (the address asked for when there
    // was no redirect).
    FetchedPage FetchPageAndAddress(const QString &address, const QString &referer = {}) override;

    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }
    // For tests against a loopback server with a self-signed certificate; certificates are
    // otherwise verified against the system's authorities as usual.
    void trustCertificate(const QSslCertificate &certificate);
    // For the network setup: proxy and cookies.
    QNetworkAccessManager &network() { return m_network; }

private:
    struct Response
    {
        QByteArray body;
        QUrl location; // where a redirect points; empty for any other answer
    };

    struct Body
    {
        QByteArray bytes;
        QString address; // where it was found
    };

    std::optional<Body> fetchBody(const QString &address, const QString &referer);
    std::optional<Response> get(const QUrl &url, const QDeadlineTimer &deadline, const QString &referer);
    static std::optional<Response> completeResponse(const QNetworkReply &reply, const QByteArray &body);

    QNetworkAccessManager m_network;
    std::chrono::milliseconds m_timeLimit = defaultTimeLimit;
    qint64 m_sizeLimit = defaultSizeLimit;
    QList<QSslCertificate> m_trusted;
};
