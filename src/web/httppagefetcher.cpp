#include "web/httppagefetcher.h"

#include "web/browserheaders.h"
#include "web/pagebody.h"
#include "web/proxyfailure.h"
#include "web/webaddress.h"

#include <memory>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int maxRedirects = 20;

// Qt reports an HTTP error status (400, 404, 407, 418, 500 ...) through an error code of its own,
// set once the whole body has come; such a reply is a page like any other. The codes of transport
// failures (refused, dropped, TLS, abort, a broken frame) are not among these.
bool reportsOnlyTheStatus(QNetworkReply::NetworkError code)
{
    return code == QNetworkReply::NoError || code == QNetworkReply::ProxyAuthenticationRequiredError ||
           (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError) ||
           code == QNetworkReply::ProtocolInvalidOperationError ||
           (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
}

// Qt now and then reports the status of an error page whose connection closed before its announced
// length, so the length is checked here. Qt drops the length when it inflates a compressed body.
bool isWholeBody(const QNetworkReply &reply, const QByteArray &body)
{
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    return !length.isValid() || body.size() >= length.toLongLong();
}

// One request's own state, so nested fetches never share anything.
struct PendingReply
{
    QByteArray body;
    bool timedOut = false;
    bool tooLarge = false;
};

} // namespace

HttpPageFetcher::HttpPageFetcher() = default;

QString HttpPageFetcher::FetchPage(const QString &address)
{
    return FetchPageAndAddress(address, QString()).text;
}

QString HttpPageFetcher::FetchPage(const QString &address, const QString &referer)
{
    return FetchPageAndAddress(address, referer).text;
}

FetchedPage HttpPageFetcher::FetchPageAndAddress(const QString &address, const QString &referer)
{
    const std::optional<Body> body = fetchBody(address, referer);
    if (!body || body->bytes.isEmpty())
        return {{}, body ? body->address : address};
    return {decodePageBody(body->bytes), body->address};
}

void HttpPageFetcher::trustCertificate(const QSslCertificate &certificate)
{
    m_trusted.append(certificate);
}

std::optional<HttpPageFetcher::Response> HttpPageFetcher::completeResponse(const QNetworkReply &reply,
                                                                           const QByteArray &body)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() ||
        !reportsOnlyTheStatus(reply.error()) || !isWholeBody(reply, body))
        return std::nullopt;
    // A proxy's refusal (407) is no page of the site.
    if (!proxyFailureText(reply).isEmpty())
        return std::nullopt;
    Response response{body, {}};
    if (isRedirectStatus(reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()))
        response.location = reply.attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    return response;
}

// Redirects are followed here rather than by Qt: Qt 6.4's own following now and then sends the
// original request a second time. As with Qt's default policy, https never redirects to http.
// Each hop keeps the Referer of the page that led to the first, as browsers do.
std::optional<HttpPageFetcher::Body> HttpPageFetcher::fetchBody(const QString &address, const QString &referer)
{
    QUrl url(address);
    bool redirected = false;
    const QDeadlineTimer deadline(m_timeLimit, Qt::PreciseTimer);
    for (int hop = 0; hop <= maxRedirects; ++hop) {
        if (!isWebAddress(url))
            return std::nullopt;
        const std::optional<Response> response = get(url, deadline, referer);
        if (!response)
            return std::nullopt;
        if (!response->location.isValid())
            return Body{response->body, redirected ? url.toString(QUrl::FullyEncoded) : address};
        url = redirectTarget(url, response->location);
        redirected = true;
    }
    return std::nullopt;
}

std::optional<HttpPageFetcher::Response> HttpPageFetcher::get(const QUrl &url, const QDeadlineTimer &deadline,
                                                               const QString &referer)
{
    QNetworkRequest request(url);
    addBrowserHeaders(request, referer);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (!m_trusted.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_trusted);
        request.setSslConfiguration(ssl);
    }

    // Deleted on return, not later: a walk fetches many pages inside one handler, and deferred
    // deletions would wait until that handler returns.
    const std::unique_ptr<QNetworkReply> owner{m_network.get(request)};
    QNetworkReply *reply = owner.get();
    PendingReply pending;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);

    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        pending.timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > m_sizeLimit) {
            pending.tooLarge = true;
            reply->abort();
        }
    });
    // Counted as it arrives, so an endless or huge body is cut off early.
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        pending.body += reply->readAll();
        if (pending.body.size() > m_sizeLimit) {
            pending.tooLarge = true;
            reply->abort();
        }
    });
    // A reply that finishes while a nested fetch still runs must not be timed out afterwards.
    QObject::connect(reply, &QNetworkReply::finished, &limit, &QTimer::stop);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    limit.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
    if (!reply->isFinished())
        loop.exec();
    limit.stop();

    // The loop also ends when the application quits; an unfinished reply has no whole body.
    if (!reply->isFinished()) {
        reply->disconnect();
        reply->abort();
        return std::nullopt;
    }
    std::optional<Response> response;
    if (!pending.timedOut && !pending.tooLarge) {
        pending.body += reply->readAll();
        if (pending.body.size() <= m_sizeLimit)
            response = completeResponse(*reply, pending.body);
    }
    reply->disconnect();
    return response;
}
