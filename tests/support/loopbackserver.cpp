#include "loopbackserver.h"

#include "loopbackconnection.h"

#include <QFile>
#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

static void initLoopbackFixtures()
{
    Q_INIT_RESOURCE(loopbackfixtures);
}

namespace {

QByteArray fixtureBytes(const QString &name)
{
    initLoopbackFixtures();
    QFile file(QStringLiteral(":/loopback/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("loopback fixture %s missing", qPrintable(name));
    return file.readAll();
}

std::unique_ptr<QTcpServer> makeTlsServer()
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(LoopbackServer::certificate());
    config.setPrivateKey(QSslKey(fixtureBytes(QStringLiteral("loopback-key.pem")), QSsl::Rsa));
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(config);
    return server;
}

QString pathOf(const QString &target)
{
    const qsizetype query = target.indexOf(u'?');
    return query < 0 ? target : target.left(query);
}

} // namespace

LoopbackServer::LoopbackServer(Scheme scheme, QObject *parent)
    : QObject(parent), m_scheme(scheme),
      m_server(scheme == Scheme::Https ? makeTlsServer() : std::make_unique<QTcpServer>())
{
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
            &LoopbackServer::acceptConnections);
    m_server->listen(QHostAddress::LocalHost, 0);
}

LoopbackServer::~LoopbackServer()
{
    closeConnections();
}

bool LoopbackServer::isListening() const
{
    return m_server->isListening();
}

quint16 LoopbackServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackServer::url(const QString &path) const
{
    const QString scheme = m_scheme == Scheme::Https ? QStringLiteral("https") : QStringLiteral("http");
    return scheme + QStringLiteral("://127.0.0.1:") + QString::number(port()) + path;
}

void LoopbackServer::setResponse(const QString &path, const LoopbackResponse &response)
{
    m_scripts.insert(path, {response});
}

void LoopbackServer::setResponses(const QString &path, const QList<LoopbackResponse> &responses)
{
    m_scripts.insert(path, responses);
}

void LoopbackServer::setHandler(const QString &path, Handler handler)
{
    m_handlers.insert(path, std::move(handler));
}

QList<LoopbackRequest> LoopbackServer::requests() const
{
    return m_requests;
}

int LoopbackServer::requestCount(const QString &path) const
{
    return int(std::count_if(m_requests.cbegin(), m_requests.cend(), [&](const LoopbackRequest &r) {
        return QString::fromLatin1(r.target) == path;
    }));
}

void LoopbackServer::clearRequests()
{
    m_requests.clear();
}

void LoopbackServer::closeConnections()
{
    for (LoopbackConnection *connection : findChildren<LoopbackConnection *>(Qt::FindDirectChildrenOnly))
        connection->close();
}

QSslCertificate LoopbackServer::certificate()
{
    return QSslCertificate(fixtureBytes(QStringLiteral("loopback-cert.pem")), QSsl::Pem);
}

void LoopbackServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        new LoopbackConnection(
            socket, ++m_connectionCount, [this](const LoopbackRequest &request) { return respond(request); },
            this);
    }
}

LoopbackResponse LoopbackServer::respond(const LoopbackRequest &request)
{
    m_requests.append(request);
    Q_EMIT requestReceived(request);
    const QString target = QString::fromLatin1(request.target);
    if (const auto handler = m_handlers.constFind(pathOf(target)); handler != m_handlers.cend())
        return (*handler)(request);
    auto script = m_scripts.find(target);
    if (script == m_scripts.end())
        script = m_scripts.find(pathOf(target));
    if (script == m_scripts.end() || script->isEmpty())
        return LoopbackResponse::withStatus(404, "Not Found");
    if (script->size() > 1)
        return script->takeFirst();
    return script->first();
}
