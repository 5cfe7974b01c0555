#pragma once

#include "loopbackrequest.h"
#include "loopbackresponse.h"

#include <functional>
#include <memory>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A scriptable HTTP/1.1 server for tests, on 127.0.0.1 only, at a port the system picks. Each path
// gets a scripted response (or a sequence of them); every request is recorded. In Https mode it
// presents the self-signed fixture certificate(), which a client must be told to trust.
// Runs on the thread that made it, so it answers while a caller waits in a nested event loop.
class LoopbackServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoopbackServer)

public:
    enum class Scheme
    {
        Http,
        Https,
    };

    explicit LoopbackServer(Scheme scheme = Scheme::Http, QObject *parent = nullptr);
    ~LoopbackServer() override;

    bool isListening() const;
    quint16 port() const;
    // "http://127.0.0.1:<port>" (or https) followed by path, e.g. url("/c/1.html").
    QString url(const QString &path) const;

    // The response for a request target (path and query, exact; a target with a query that has no
    // script of its own falls back to its path). Unscripted targets get 404 "Not Found".
    void setResponse(const QString &path, const LoopbackResponse &response);
    // Served in order, one per request; the last one is repeated from then on.
    void setResponses(const QString &path, const QList<LoopbackResponse> &responses);
    // The response made from the request itself (its headers, say); over any script of the path.
    using Handler = std::function<LoopbackResponse(const LoopbackRequest &)>;
    void setHandler(const QString &path, Handler handler);

    QList<LoopbackRequest> requests() const;
    int requestCount(const QString &path) const;
    // Connections accepted so far (each request records its connection's number).
    int connectionCount() const { return m_connectionCount; }
    void clearRequests();
    // Drops every open connection at once (stalled ones included).
    void closeConnections();

    static QSslCertificate certificate();

Q_SIGNALS:
    void requestReceived(const LoopbackRequest &request);

private:
    void acceptConnections();
    LoopbackResponse respond(const LoopbackRequest &request);

    Scheme m_scheme;
    std::unique_ptr<QTcpServer> m_server;
    QHash<QString, QList<LoopbackResponse>> m_scripts;
    QHash<QString, Handler> m_handlers;
    QList<LoopbackRequest> m_requests;
    int m_connectionCount = 0;
};
