#include "loopbackconnection.h"

#include <algorithm>
#include <QTcpSocket>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

} // namespace

LoopbackConnection::LoopbackConnection(QTcpSocket *socket, int number, Responder responder, QObject *parent)
    : QObject(parent), m_socket(socket), m_number(number), m_responder(std::move(responder))
{
    m_socket->setParent(this);
    // As real servers do on kept-alive connections: without it, the last piece of each answer
    // waits for the client's delayed acknowledgement (some 40 ms a page).
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, &LoopbackConnection::readIncoming);
    connect(m_socket, &QTcpSocket::disconnected, this, &LoopbackConnection::deleteLater);
    connect(&m_bodyTimer, &QTimer::timeout, this, &LoopbackConnection::sendBodySlice);
    readIncoming();
}

void LoopbackConnection::close()
{
    m_bodyTimer.stop();
    m_socket->abort();
    deleteLater();
}

void LoopbackConnection::readIncoming()
{
    m_incoming.append(m_socket->readAll());
    if (m_responding)
        return;
    LoopbackRequest request;
    if (takeRequest(request)) {
        m_headOnly = request.method == "HEAD";
        m_clientCloses = request.header("Connection").compare("close", Qt::CaseInsensitive) == 0;
        startResponse(m_responder(request));
    }
}

// Cuts one complete request off the front of the incoming bytes.
bool LoopbackConnection::takeRequest(LoopbackRequest &request)
{
    const qsizetype headEnd = m_incoming.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = m_incoming.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.connection = m_number;
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    const qint64 bodyLength = request.header("Content-Length").toLongLong();
    const qsizetype bodyStart = headEnd + 4;
    if (m_incoming.size() - bodyStart < bodyLength)
        return false;
    request.body = m_incoming.mid(bodyStart, bodyLength);
    m_incoming.remove(0, bodyStart + bodyLength);
    return true;
}

void LoopbackConnection::startResponse(const LoopbackResponse &response)
{
    m_responding = true;
    m_response = response;
    m_bodySent = 0;
    if (m_response.neverAnswer)
        return;
    if (m_response.headerDelay.count() > 0)
        QTimer::singleShot(m_response.headerDelay, this, &LoopbackConnection::sendHead);
    else
        sendHead();
}

void LoopbackConnection::sendHead()
{
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(m_response.status) + ' ' + reasonPhrase(m_response.status) + "\r\n";
    switch (m_response.framing) {
    case LoopbackResponse::Framing::ContentLength:
        head += "Content-Length: " +
                QByteArray::number(m_response.contentLength.value_or(m_response.body.size())) + "\r\n";
        break;
    case LoopbackResponse::Framing::Chunked:
        head += "Transfer-Encoding: chunked\r\n";
        break;
    case LoopbackResponse::Framing::UntilClose:
        break;
    }
    if (closesAfterBody())
        head += "Connection: close\r\n";
    for (const auto &[name, value] : m_response.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    m_socket->write(head);

    if (m_response.bytesPerTick > 0) {
        m_bodyTimer.start(m_response.tick);
        sendBodySlice();
    } else {
        writeBodyBytes(m_response.body.left(bodyBytesToSend()));
        finishBody();
    }
}

void LoopbackConnection::sendBodySlice()
{
    const qint64 remaining = bodyBytesToSend() - m_bodySent;
    const qint64 slice = std::min(remaining, m_response.bytesPerTick);
    if (slice > 0)
        writeBodyBytes(m_response.body.mid(m_bodySent, slice));
    if (m_bodySent >= bodyBytesToSend()) {
        m_bodyTimer.stop();
        finishBody();
    }
}

void LoopbackConnection::writeBodyBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_response.framing == LoopbackResponse::Framing::Chunked)
        m_socket->write(QByteArray::number(bytes.size(), 16) + "\r\n" + bytes + "\r\n");
    else
        m_socket->write(bytes);
    m_bodySent += bytes.size();
}

void LoopbackConnection::finishBody()
{
    if (m_response.stallAfter)
        return; // stays responding: nothing more is ever sent on this connection
    if (m_response.dropAfter) {
        m_socket->disconnectFromHost();
        return;
    }
    if (m_response.framing == LoopbackResponse::Framing::Chunked && !m_headOnly)
        m_socket->write("0\r\n\r\n");
    if (closesAfterBody()) {
        m_socket->disconnectFromHost();
        return;
    }
    m_responding = false;
    if (!m_incoming.isEmpty())
        QTimer::singleShot(0, this, &LoopbackConnection::readIncoming);
}

qint64 LoopbackConnection::bodyBytesToSend() const
{
    if (m_headOnly)
        return 0;
    qint64 count = m_response.body.size();
    if (m_response.dropAfter)
        count = std::min(count, *m_response.dropAfter);
    if (m_response.stallAfter)
        count = std::min(count, *m_response.stallAfter);
    return count;
}

// A body whose end the client cannot find on its own (no length, or a length that lies) ends with
// the connection, as on a real server.
bool LoopbackConnection::closesAfterBody() const
{
    if (m_clientCloses || m_response.closeAfter ||
        m_response.framing == LoopbackResponse::Framing::UntilClose)
        return true;
    return m_response.framing == LoopbackResponse::Framing::ContentLength && m_response.contentLength &&
           *m_response.contentLength != m_response.body.size();
}
