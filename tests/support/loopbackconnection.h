#pragma once

#include "loopbackrequest.h"
#include "loopbackresponse.h"

#include <functional>
#include <QByteArray>
#include <QObject>
#include <QTimer>

class QTcpSocket;

// One client connection of the loopback server: reads requests one after another (keep-alive) and
// plays back the scripted response of each. Deletes itself when the client goes away.
class LoopbackConnection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoopbackConnection)

public:
    using Responder = std::function<LoopbackResponse(const LoopbackRequest &)>;

    LoopbackConnection(QTcpSocket *socket, int number, Responder responder, QObject *parent);

    void close();

private:
    void readIncoming();
    bool takeRequest(LoopbackRequest &request);
    void startResponse(const LoopbackResponse &response);
    void sendHead();
    void sendBodySlice();
    void writeBodyBytes(const QByteArray &bytes);
    void finishBody();
    qint64 bodyBytesToSend() const;
    bool closesAfterBody() const;

    QTcpSocket *m_socket;
    int m_number;
    Responder m_responder;
    QByteArray m_incoming;
    bool m_responding = false;
    bool m_headOnly = false;     // HEAD: the head of the response without its body
    bool m_clientCloses = false; // the client asked for "Connection: close"
    LoopbackResponse m_response;
    qint64 m_bodySent = 0;
    QTimer m_bodyTimer;
};
