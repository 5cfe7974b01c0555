#include "web/httppagefetcher.h"

#include "web/bytestotext.h"
#include "web/charsetdeclaration.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

namespace {

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

// Errors that only report the HTTP status (403, 404, 500 ...): the body is complete and is wanted.
// Everything else (connection refused or dropped, TLS failure, abort) leaves no usable body.
bool isStatusOnlyError(const QNetworkReply &reply)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    const int code = reply.error();
    return (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError) ||
           (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
}

// One fetch's own state, so nested fetches never share anything.
struct PendingFetch
{
    QByteArray body;
    bool timedOut = false;
    bool tooLarge = false;
};

} // namespace

HttpPageFetcher::HttpPageFetcher() = default;

QString HttpPageFetcher::FetchPage(const QString &address)
{
    const std::optional<QByteArray> body = fetchBody(address);
    if (!body || body->isEmpty())
        return {};
    return BytesToText(*body, declaredCharset(*body)).value_or(QString());
}

void HttpPageFetcher::trustCertificate(const QSslCertificate &certificate)
{
    m_trusted.append(certificate);
}

std::optional<QByteArray> HttpPageFetcher::fetchBody(const QString &address)
{
    const QUrl url(address);
    if (!isWebAddress(url))
        return std::nullopt;
    QNetworkRequest request(url);
    if (!m_trusted.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_trusted);
        request.setSslConfiguration(ssl);
    }

    QNetworkReply *reply = m_network.get(request);
    PendingFetch fetch;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);

    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        fetch.timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > m_sizeLimit) {
            fetch.tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        fetch.body += reply->readAll();
        if (fetch.body.size() > m_sizeLimit) {
            fetch.tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    limit.start(m_timeLimit);
    if (!reply->isFinished())
        loop.exec();
    limit.stop();

    if (!fetch.timedOut && !fetch.tooLarge)
        fetch.body += reply->readAll();
    const bool usable = !fetch.timedOut && !fetch.tooLarge && fetch.body.size() <= m_sizeLimit &&
                        (reply->error() == QNetworkReply::NoError || isStatusOnlyError(*reply));
    reply->disconnect();
    reply->deleteLater();
    if (!usable)
        return std::nullopt;
    return fetch.body;
}
