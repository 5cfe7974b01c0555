#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
class TestProxy;

// One client connection of the test proxy. HTTP: each request head is checked (login, route) and
// passed on in the server's form, the first one opening the connection to the routed port, or a
// CONNECT opens a tunnel; SOCKS5: greeting, login and CONNECT, then bytes go both ways untouched. Deletes
// itself when either side goes away.
class ProxyClient final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProxyClient)

public:
    ProxyClient(QTcpSocket *client, TestProxy &proxy);

    void close();

private:
    enum class Stage
    {
        Greeting, // SOCKS5: the methods offered
        Login,    // SOCKS5: user name and password
        Request,  // HTTP: a request head; SOCKS5: the CONNECT request
        Relaying,
    };

    void readClient();
    void readHttp();
    bool takeHttpRequest();
    void answerHttp(int status, const QByteArray &reason, const QByteArray &extraHeaders, bool thenClose);
    bool httpLoginAccepted(const QByteArray &authorization);
    void openTunnel(const QString &hostAndPort);
    void readSocks();
    bool takeSocksGreeting();
    bool takeSocksLogin();
    bool takeSocksRequest();
    void answerSocks(quint8 reply, bool thenClose);
    void openUpstream(const QString &host, quint16 port);
    void toUpstream(const QByteArray &bytes);
    void onUpstreamConnected();
    void onUpstreamFailed();
    void closeAfterWriting();

    QTcpSocket *m_client;
    QTcpSocket *m_upstream = nullptr;
    TestProxy &m_proxy;
    Stage m_stage;
    QByteArray m_incoming; // client bytes not handled yet
    QByteArray m_waiting;  // bytes for the server while its connection opens
    QString m_host;        // HTTP: the host this connection serves
    qint64 m_bodyLeft = 0; // HTTP: request body bytes still to pass on unchanged
    bool m_loggedIn = false;
    bool m_upstreamOpen = false;
    bool m_closing = false;
    bool m_tunnel = false; // HTTP CONNECT: bytes pass untouched
};
