#include "web/transfer.h"

#include "web/browserheaders.h"
#include "web/proxyfailure.h"
#include "web/webaddress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>

namespace {

constexpr int maxRedirects = 20;

// Errors that only report the HTTP status (403, 404, 500 ...): the body itself came whole.
bool isStatusOnlyError(const QNetworkReply &reply)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    const int code = reply.error();
    return (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError) ||
           (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
}

QString idleText(std::chrono::milliseconds limit)
{
    return QStringLiteral("%1秒内没有收到数据").arg(limit.count() / 1000.0);
}

} // namespace

Transfer::Transfer(QObject *parent) : QObject(parent)
{
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &Transfer::onIdle);
}

Transfer::~Transfer()
{
    dropReply();
}

bool Transfer::RequestUrl(const QString &address, const QString &referer, qint64 resumeFrom)
{
    cancel();
    const QUrl url(address);
    if (!isWebAddress(url))
        return false;
    m_url = url;
    m_referer = referer;
    m_resumeFrom = resumeFrom;
    m_hops = 0;
    get(url);
    return true;
}

void Transfer::cancel()
{
    ++m_requestId;
    dropReply();
    m_idleTimer.stop();
    m_headArrived = false;
    m_timedOut = false;
    m_status = 0;
    m_failureCode = 0;
    m_failureText.clear();
    m_bodyFailure.clear();
    m_chunk.clear();
    Q_EMIT activity(QPrivateSignal());
}

void Transfer::trustCertificate(const QSslCertificate &certificate)
{
    m_trusted.append(certificate);
}

// Redirects are followed here rather than by Qt, as the page fetcher does: Qt 6.4's own following
// now and then sends the original request a second time.
void Transfer::get(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    addBrowserHeaders(request, m_referer);
    // Qt would unpack gzip on its own while Content-Length stays the packed size.
    request.setRawHeader("Accept-Encoding", "identity");
    if (m_resumeFrom > 0)
        request.setRawHeader("Range", "bytes=" + QByteArray::number(m_resumeFrom) + '-');
    if (!m_trusted.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_trusted);
        request.setSslConfiguration(ssl);
    }
    m_reply.reset(m_network.get(request));
    m_reply->setReadBufferSize(readBufferSize);
    connect(m_reply.get(), &QNetworkReply::metaDataChanged, this, &Transfer::onMetaData);
    connect(m_reply.get(), &QNetworkReply::readyRead, this, &Transfer::onReadyRead);
    connect(m_reply.get(), &QNetworkReply::finished, this, &Transfer::onFinished);
    m_idleTimer.start(m_idleLimit);
}

void Transfer::onMetaData()
{
    if (m_headArrived)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (isRedirectStatus(status) && m_reply->hasRawHeader("Location"))
        return; // followed once the redirect's own body is over
    if (isProxyRefusal(*m_reply))
        return; // no answer of the site: a failure once the reply ends
    m_headArrived = true;
    m_status = status;
    // From here on only a waiting reader counts time without data.
    m_idleTimer.stop();
    announce(responseArrived);
}

void Transfer::onReadyRead()
{
    if (m_idleTimer.isActive())
        m_idleTimer.start(m_idleLimit);
    Q_EMIT activity(QPrivateSignal());
}

void Transfer::onFinished()
{
    m_idleTimer.stop();
    if (m_headArrived) {
        Q_EMIT activity(QPrivateSignal());
        return;
    }
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_timedOut && isRedirectStatus(status) && m_reply->error() == QNetworkReply::NoError) {
        const QUrl target = redirectTarget(
            m_url, m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
        if (target.isValid() && m_hops < maxRedirects) {
            // Not from inside the reply's own signal: the reply is replaced.
            const quint64 id = m_requestId;
            QMetaObject::invokeMethod(
                this, [this, id, target] {
                    if (id == m_requestId)
                        followRedirect(target);
                },
                Qt::QueuedConnection);
            return;
        }
        // A redirect that is not followed is the answer itself.
        m_headArrived = true;
        m_status = status;
        announce(responseArrived);
        return;
    }
    if (!m_timedOut) {
        m_failureCode = m_reply->error();
        m_failureText = requestFailureText(*m_reply);
    }
    announce(requestFailed);
}

void Transfer::followRedirect(const QUrl &target)
{
    dropReply();
    ++m_hops;
    m_url = target;
    get(target);
}

void Transfer::onIdle()
{
    if (!m_reply || m_reply->isFinished())
        return;
    m_timedOut = true;
    if (m_headArrived) {
        // The body ends here: the waiting reader wakes and gets what came.
        m_bodyFailure = idleText(m_idleLimit);
        Q_EMIT activity(QPrivateSignal());
        return;
    }
    m_failureCode = QNetworkReply::TimeoutError;
    m_failureText = idleText(m_idleLimit);
    m_reply->abort(); // finishes the reply, which announces state 11
}

// States reach the listener from the event loop, never from inside a reply's signal, and only
// while their request is still the current one.
void Transfer::announce(int state)
{
    const quint64 id = m_requestId;
    QMetaObject::invokeMethod(
        this, [this, id, state] {
            if (id == m_requestId)
                Q_EMIT StateChanged(state);
        },
        Qt::QueuedConnection);
}

void Transfer::dropReply()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply.reset();
}

QByteArray Transfer::ReadChunk(qint64 size)
{
    const quint64 id = m_requestId;
    const QPointer<Transfer> self(this);
    m_interrupted = false;
    for (;;) {
        if (!m_reply || !m_headArrived)
            return {};
        if (m_timedOut)
            break;
        takeAvailable(size);
        if (m_chunk.size() >= size || m_reply->isFinished())
            break;
        const bool woken = waitForActivity();
        if (!self || id != m_requestId)
            return {};
        if (!woken) {
            m_interrupted = true;
            m_bodyFailure = QStringLiteral("程序正在退出");
            dropReply();
            return {};
        }
    }
    QByteArray chunk = std::exchange(m_chunk, QByteArray());
    if (chunk.isEmpty())
        noteBodyEnd();
    return chunk;
}

// Qt passes more of the body on only once everything it handed over has been read: a part
// chunk left in the reply would stop the transfer for good. So all there is moves here, up to
// one chunk; the rest of the body waits with Qt, within its read buffer.
void Transfer::takeAvailable(qint64 size)
{
    const qint64 wanted = size - m_chunk.size();
    if (wanted <= 0)
        return;
    if (m_chunk.isEmpty())
        m_chunk = m_reply->read(wanted);
    else
        m_chunk += m_reply->read(wanted);
}

void Transfer::noteBodyEnd()
{
    if (!m_bodyFailure.isEmpty() || !m_reply->isFinished())
        return;
    if (m_reply->error() != QNetworkReply::NoError && !isStatusOnlyError(*m_reply))
        m_bodyFailure = m_reply->errorString();
}

// A nested event loop woken by the request (or its idle limit); false when it ended for another
// reason, which only the application's quitting gives.
bool Transfer::waitForActivity()
{
    const quint64 id = m_requestId;
    QEventLoop loop;
    bool woken = false;
    const auto wake = [&] {
        woken = true;
        loop.quit();
    };
    connect(this, &Transfer::activity, &loop, wake);
    connect(this, &QObject::destroyed, &loop, wake);
    const QPointer<Transfer> self(this);
    // Called from a queued call, a nested loop would not deliver the events queued behind it
    // (the rest of the body among them) until some new event is posted: deliver them first.
    QCoreApplication::sendPostedEvents();
    if (!self || woken)
        return true;
    m_idleTimer.start(m_idleLimit);
    loop.exec();
    // A later request's own timer is left alone.
    if (self && id == m_requestId)
        m_idleTimer.stop();
    return woken;
}

qint64 Transfer::bufferedBytes() const
{
    return m_chunk.size() + (m_reply ? m_reply->bytesAvailable() : 0);
}

QString Transfer::ReadHeader(const QString &name) const
{
    if (!m_reply || !m_headArrived)
        return {};
    return QString::fromLatin1(m_reply->rawHeader(name.toLatin1()));
}
