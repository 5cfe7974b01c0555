#include "testproxy.h"

#include "proxyclient.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TestProxy::TestProxy(Kind kind, QObject *parent)
    : QObject(parent), m_kind(kind), m_server(std::make_unique<QTcpServer>())
{
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &TestProxy::acceptConnections);
    m_server->listen(QHostAddress::LocalHost, 0);
}

TestProxy::~TestProxy()
{
    for (ProxyClient *client : findChildren<ProxyClient *>(Qt::FindDirectChildrenOnly))
        client->close();
}

quint16 TestProxy::port() const
{
    return m_server->serverPort();
}

QString TestProxy::address(const QString &user, const QString &password) const
{
    const QString scheme = m_kind == Kind::Http ? QStringLiteral("http://") : QStringLiteral("socks5h://");
    const QString login = user.isEmpty() && password.isEmpty() ? QString() : user + u':' + password + u'@';
    return scheme + login + QStringLiteral("127.0.0.1:") + QString::number(port());
}

void TestProxy::route(const QString &host, quint16 port)
{
    m_routes.insert(host.toLower(), port);
}

void TestProxy::requireLogin(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
}

std::optional<quint16> TestProxy::routeFor(const QString &host) const
{
    const auto found = m_routes.constFind(host.toLower());
    if (found == m_routes.cend())
        return std::nullopt;
    return *found;
}

bool TestProxy::loginAccepted(const QString &user, const QString &password) const
{
    return !needsLogin() || (user == m_user && password == m_password);
}

quint16 TestProxy::unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void TestProxy::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection())
        new ProxyClient(socket, *this);
}
