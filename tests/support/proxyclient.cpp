#include "proxyclient.h"

#include "testproxy.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUrl>

namespace {

constexpr quint8 socksVersion = 5;
constexpr quint8 noLogin = 0x00;
constexpr quint8 userAndPassword = 0x02;
constexpr quint8 noAcceptableMethod = 0xFF;
constexpr quint8 socksSucceeded = 0x00;
constexpr quint8 socksHostUnreachable = 0x04;
constexpr quint8 socksRefused = 0x05;
constexpr quint8 socksCommandNotSupported = 0x07;

quint8 byteAt(const QByteArray &bytes, qsizetype index)
{
    return quint8(bytes.at(index));
}

} // namespace

ProxyClient::ProxyClient(QTcpSocket *client, TestProxy &proxy)
    : QObject(&proxy), m_client(client), m_proxy(proxy),
      m_stage(proxy.kind() == TestProxy::Kind::Socks5 ? Stage::Greeting : Stage::Request)
{
    m_client->setParent(this);
    m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_client, &QTcpSocket::readyRead, this, &ProxyClient::readClient);
    connect(m_client, &QTcpSocket::disconnected, this, &ProxyClient::close);
    readClient();
}

void ProxyClient::close()
{
    if (m_upstream)
        m_upstream->abort();
    m_client->disconnect(this);
    m_client->abort();
    deleteLater();
}

void ProxyClient::readClient()
{
    if (m_client->isReadable())
        m_incoming.append(m_client->readAll());
    if (m_closing)
        return;
    if (m_proxy.kind() == TestProxy::Kind::Http)
        readHttp();
    else
        readSocks();
}

void ProxyClient::readHttp()
{
    if (m_tunnel) {
        toUpstream(std::exchange(m_incoming, QByteArray()));
        return;
    }
    for (;;) {
        if (m_bodyLeft > 0) {
            const QByteArray body = m_incoming.left(m_bodyLeft);
            m_incoming.remove(0, body.size());
            m_bodyLeft -= body.size();
            toUpstream(body);
            if (m_bodyLeft > 0)
                return;
        }
        if (!takeHttpRequest())
            return;
    }
}

// Handles one whole request head, if there is one; false when more bytes are needed or the
// connection is being closed.
bool ProxyClient::takeHttpRequest()
{
    const qsizetype headEnd = m_incoming.indexOf("\r\n\r\n");
    if (headEnd < 0 || m_closing)
        return false;
    const QList<QByteArray> lines = m_incoming.left(headEnd).split('\n');
    m_incoming.remove(0, headEnd + 4);
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QByteArray method = requestLine.value(0);
    const QUrl target(QString::fromLatin1(requestLine.value(1)));

    QByteArray authorization;
    QByteArray headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name == "proxy-authorization")
            authorization = line.mid(colon + 1).trimmed();
        else if (name != "proxy-connection")
            headers += line + "\r\n";
        if (name == "content-length")
            m_bodyLeft = line.mid(colon + 1).trimmed().toLongLong();
    }

    if (!m_loggedIn && !httpLoginAccepted(authorization)) {
        const QByteArray body = "proxy login needed";
        m_bodyLeft = 0;
        answerHttp(
            407, "Proxy Authentication Required",
            "Proxy-Authenticate: Basic realm=\"test proxy\"\r\nContent-Type: text/plain\r\nContent-Length: " +
                QByteArray::number(body.size()) + "\r\n\r\n" + body,
            false);
        return true;
    }
    m_loggedIn = true;
    if (method == "CONNECT" && m_host.isEmpty()) {
        openTunnel(QString::fromLatin1(requestLine.value(1)));
        return false;
    }
    if (target.scheme() != u"http" || target.host().isEmpty()) {
        answerHttp(405, "Method Not Allowed", "Content-Length: 0\r\n\r\n", true);
        return false;
    }
    const QString host = target.host();
    m_proxy.noteRequest(host + u':' + QString::number(target.port(80)));
    if (m_host.isEmpty()) {
        const std::optional<quint16> port = m_proxy.routeFor(host);
        if (!port) {
            answerHttp(502, "Bad Gateway", "Content-Length: 0\r\n\r\n", true);
            return false;
        }
        m_host = host;
        openUpstream(host, *port);
    } else if (host.compare(m_host, Qt::CaseInsensitive) != 0) {
        close(); // one connection, one site: Qt never mixes them
        return false;
    }
    const QByteArray path =
        target.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    toUpstream(method + ' ' + (path.isEmpty() ? QByteArray("/") : path) + ' ' + requestLine.value(2) +
               "\r\n" + headers + "\r\n");
    return true;
}

// CONNECT host:port: once the server's connection is open, bytes go both ways untouched (TLS).
void ProxyClient::openTunnel(const QString &hostAndPort)
{
    const QUrl target(QStringLiteral("//") + hostAndPort);
    m_proxy.noteRequest(target.host() + u':' + QString::number(target.port()));
    const std::optional<quint16> port = m_proxy.routeFor(target.host());
    if (!port) {
        answerHttp(502, "Bad Gateway", "Content-Length: 0\r\n\r\n", true);
        return;
    }
    m_tunnel = true;
    m_host = target.host();
    openUpstream(m_host, *port);
    toUpstream(std::exchange(m_incoming, QByteArray()));
}

bool ProxyClient::httpLoginAccepted(const QByteArray &authorization)
{
    if (!m_proxy.needsLogin())
        return true;
    if (!authorization.startsWith("Basic "))
        return m_proxy.loginAccepted({}, {});
    const QByteArray login = QByteArray::fromBase64(authorization.mid(6));
    const qsizetype colon = login.indexOf(':');
    return m_proxy.loginAccepted(QString::fromUtf8(login.left(colon)),
                                 QString::fromUtf8(login.mid(colon + 1)));
}

void ProxyClient::answerHttp(int status, const QByteArray &reason, const QByteArray &extraHeaders,
                             bool thenClose)
{
    m_client->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" +
                    (thenClose ? QByteArray("Connection: close\r\n") : QByteArray()) + extraHeaders);
    if (thenClose)
        closeAfterWriting();
}

void ProxyClient::readSocks()
{
    for (;;) {
        bool handled = false;
        switch (m_stage) {
        case Stage::Greeting:
            handled = takeSocksGreeting();
            break;
        case Stage::Login:
            handled = takeSocksLogin();
            break;
        case Stage::Request:
            handled = takeSocksRequest();
            break;
        case Stage::Relaying:
            toUpstream(std::exchange(m_incoming, QByteArray()));
            return;
        }
        if (!handled || m_closing)
            return;
    }
}

bool ProxyClient::takeSocksGreeting()
{
    if (m_incoming.size() < 2 || m_incoming.size() < 2 + byteAt(m_incoming, 1))
        return false;
    if (byteAt(m_incoming, 0) != socksVersion) {
        close();
        return false;
    }
    const QByteArray methods = m_incoming.mid(2, byteAt(m_incoming, 1));
    m_incoming.remove(0, 2 + methods.size());
    const quint8 wanted = m_proxy.needsLogin() ? userAndPassword : noLogin;
    if (!methods.contains(char(wanted))) {
        m_client->write(QByteArray(1, char(socksVersion)) + char(noAcceptableMethod));
        closeAfterWriting();
        return false;
    }
    m_client->write(QByteArray(1, char(socksVersion)) + char(wanted));
    m_stage = wanted == userAndPassword ? Stage::Login : Stage::Request;
    return true;
}

// The user name and password step (RFC 1929).
bool ProxyClient::takeSocksLogin()
{
    if (m_incoming.size() < 2)
        return false;
    const int userLength = byteAt(m_incoming, 1);
    if (m_incoming.size() < 3 + userLength ||
        m_incoming.size() < 3 + userLength + byteAt(m_incoming, 2 + userLength))
        return false;
    const QString user = QString::fromUtf8(m_incoming.mid(2, userLength));
    const int passwordLength = byteAt(m_incoming, 2 + userLength);
    const QString password = QString::fromUtf8(m_incoming.mid(3 + userLength, passwordLength));
    m_incoming.remove(0, 3 + userLength + passwordLength);
    const bool accepted = m_proxy.loginAccepted(user, password);
    m_client->write(QByteArray(1, 1) + char(accepted ? 0 : 1));
    if (!accepted) {
        closeAfterWriting();
        return false;
    }
    m_stage = Stage::Request;
    return true;
}

bool ProxyClient::takeSocksRequest()
{
    if (m_incoming.size() < 5)
        return false;
    const quint8 command = byteAt(m_incoming, 1);
    const quint8 addressType = byteAt(m_incoming, 3);
    qsizetype addressLength = 0;
    qsizetype addressStart = 4;
    if (addressType == 1) {
        addressLength = 4;
    } else if (addressType == 4) {
        addressLength = 16;
    } else if (addressType == 3) {
        addressLength = byteAt(m_incoming, 4);
        addressStart = 5;
    } else {
        close();
        return false;
    }
    const qsizetype end = addressStart + addressLength + 2;
    if (m_incoming.size() < end)
        return false;
    const QByteArray address = m_incoming.mid(addressStart, addressLength);
    const quint16 port = quint16(byteAt(m_incoming, end - 2) << 8 | byteAt(m_incoming, end - 1));
    m_incoming.remove(0, end);

    QString host;
    if (addressType == 3) {
        host = QString::fromLatin1(address);
    } else if (addressType == 1) {
        host = QHostAddress(quint32(byteAt(address, 0)) << 24 | byteAt(address, 1) << 16 |
                            byteAt(address, 2) << 8 | byteAt(address, 3))
                   .toString();
    } else {
        host = QHostAddress(reinterpret_cast<const quint8 *>(address.constData())).toString();
    }
    m_proxy.noteRequest(host + u':' + QString::number(port));
    if (command != 1) {
        answerSocks(socksCommandNotSupported, true);
        return false;
    }
    const std::optional<quint16> routed = m_proxy.routeFor(host);
    if (!routed) {
        answerSocks(socksHostUnreachable, true);
        return false;
    }
    m_stage = Stage::Relaying;
    openUpstream(host, *routed);
    // Anything the client sent on ahead waits for the connection.
    toUpstream(std::exchange(m_incoming, QByteArray()));
    return false;
}

void ProxyClient::answerSocks(quint8 reply, bool thenClose)
{
    const quint16 port = m_upstream ? m_upstream->localPort() : 0;
    const char answer[] = {char(socksVersion), char(reply),      0, 1, 127, 0, 0, 1,
                           char(port >> 8),    char(port & 0xFF)};
    m_client->write(answer, sizeof answer);
    if (thenClose)
        closeAfterWriting();
}

void ProxyClient::openUpstream(const QString &host, quint16 port)
{
    Q_UNUSED(host)
    m_upstream = new QTcpSocket(this);
    m_upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_upstream, &QTcpSocket::connected, this, &ProxyClient::onUpstreamConnected);
    connect(m_upstream, &QTcpSocket::errorOccurred, this, &ProxyClient::onUpstreamFailed);
    connect(m_upstream, &QTcpSocket::readyRead, this, [this] { m_client->write(m_upstream->readAll()); });
    connect(m_upstream, &QTcpSocket::disconnected, this, [this] {
        if (m_upstream->isReadable())
            m_client->write(m_upstream->readAll());
        closeAfterWriting();
    });
    m_upstream->connectToHost(QHostAddress::LocalHost, port);
}

void ProxyClient::toUpstream(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_upstreamOpen)
        m_upstream->write(bytes);
    else
        m_waiting += bytes;
}

void ProxyClient::onUpstreamConnected()
{
    m_upstreamOpen = true;
    if (m_proxy.kind() == TestProxy::Kind::Socks5)
        answerSocks(socksSucceeded, false);
    else if (m_tunnel)
        m_client->write("HTTP/1.1 200 Connection established\r\n\r\n");
    m_upstream->write(std::exchange(m_waiting, QByteArray()));
}

void ProxyClient::onUpstreamFailed()
{
    if (m_upstreamOpen)
        return; // a closing server: its disconnected signal ends the connection
    if (m_proxy.kind() == TestProxy::Kind::Socks5)
        answerSocks(socksRefused, true);
    else
        answerHttp(502, "Bad Gateway", "Content-Length: 0\r\n\r\n", true);
}

void ProxyClient::closeAfterWriting()
{
    m_closing = true; // nothing more is read from the client
    m_client->disconnectFromHost();
}
