#pragma once

#include <memory>
#include <optional>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;

// A proxy for tests on 127.0.0.1, speaking HTTP (absolute-form requests, and CONNECT tunnels for
// https) or SOCKS5 (CONNECT, by name or address). It reaches only the host names it has a route for, each to
// a port on 127.0.0.1: so a made-up name that nothing else resolves can be fetched through it and only
// through it. Records every host the clients asked for; can insist on a user name and password.
class TestProxy final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestProxy)

public:
    enum class Kind
    {
        Http,
        Socks5,
    };

    explicit TestProxy(Kind kind, QObject *parent = nullptr);
    ~TestProxy() override;

    Kind kind() const { return m_kind; }
    quint16 port() const;
    // "http://127.0.0.1:<port>" or "socks5h://127.0.0.1:<port>", with "user:password@" when given.
    QString address(const QString &user = {}, const QString &password = {}) const;

    // Requests for `host` (any port) go to 127.0.0.1:`port`.
    void route(const QString &host, quint16 port);
    // Only clients that log in with these are served: HTTP answers 407 to the others, SOCKS5
    // offers nothing but the user name and password method and refuses a wrong one.
    void requireLogin(const QString &user, const QString &password);

    // "host:port" of every request, in order, as the client named it (a name stays a name).
    QStringList requested() const { return m_requested; }

    // A port on 127.0.0.1 where nobody listens: a proxy that is down.
    static quint16 unusedPort();

    // For the connections.
    std::optional<quint16> routeFor(const QString &host) const;
    bool loginAccepted(const QString &user, const QString &password) const;
    bool needsLogin() const { return !m_user.isEmpty(); }
    void noteRequest(const QString &hostAndPort) { m_requested.append(hostAndPort); }

private:
    void acceptConnections();

    Kind m_kind;
    std::unique_ptr<QTcpServer> m_server;
    QHash<QString, quint16> m_routes;
    QString m_user;
    QString m_password;
    QStringList m_requested;
};
