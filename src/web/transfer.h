#pragma once

#include <chrono>
#include <memory>
#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

// One HTTP(S) GET at a time whose body is read back in chunks: the image side of the download.
// The response's head is announced as state 12 from the event loop; the body then streams, held
// in a bounded buffer, so a reader that stops reading holds the server back instead of filling
// memory. A failure before the response is state 11. Redirects are followed (http and https
// only, never from https down to http). Connections are kept alive from one request to the next.
class Transfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Transfer)

public:
    // The states StateChanged reports.
    static constexpr int requestFailed = 11;   // no response: FailureCode and FailureText say why
    static constexpr int responseArrived = 12; // the head is here; statusCode, ReadHeader, ReadChunk

    static constexpr std::chrono::milliseconds defaultIdleLimit{60000};
    // What a reply may hold unread before Qt stops taking bytes from the connection.
    static constexpr qint64 readBufferSize = 256 * 1024;

    explicit Transfer(QObject *parent = nullptr);
    ~Transfer() override;

    // Drops any earlier request and starts a GET of `address`; returns at once, StateChanged
    // follows. False, with nothing requested, when the address is not an http or https address.
    // `referer` goes out as the Referer (none when empty), through every redirect; a `resumeFrom`
    // above 0 asks for the body from that byte on ("Range: bytes=n-"), which the server may grant
    // with a 206 or ignore.
    bool RequestUrl(const QString &address, const QString &referer = QString(), qint64 resumeFrom = 0);
    // The next part of the body, at most `size` bytes: waits, handling events, until `size` bytes
    // are there or the body has ended. Empty when nothing remains, and when the request was
    // dropped meanwhile.
    QByteArray ReadChunk(qint64 size);
    // The value of a header of the response, "" when it is absent.
    QString ReadHeader(const QString &name) const;
    // Why the request failed (state 11): Qt's error number and its text.
    int FailureCode() const { return m_failureCode; }
    QString FailureText() const { return m_failureText; }
    // The response's HTTP status, 0 before the response.
    int statusCode() const { return m_status; }
    // Once ReadChunk has given an empty array: why the body broke off; empty when it ended whole.
    // (Qt 6.4 at times ends a chunked body that the server's closing cut off without an error;
    // such a body, like one read to the connection's close, cannot be told from a whole one here:
    // the engine looks at the picture's own end.)
    QString bodyFailure() const { return m_bodyFailure; }
    // The last ReadChunk was cut short because the application is quitting.
    bool interrupted() const { return m_interrupted; }
    // Body bytes received and not read yet.
    qint64 bufferedBytes() const;
    // Drops the request at once; a ReadChunk waiting for it returns empty.
    void cancel();

    // How long the head may take, and how long a waiting ReadChunk goes without data, before the
    // request counts as failed. Time spent not reading (a pause) does not count.
    void setIdleLimit(std::chrono::milliseconds limit) { m_idleLimit = limit; }
    // For tests against a loopback server with a self-signed certificate.
    void trustCertificate(const QSslCertificate &certificate);
    // For the network setup: proxy and cookies.
    QNetworkAccessManager &network() { return m_network; }

Q_SIGNALS:
    void StateChanged(int state);
    // Anything happened to the request: wakes a waiting ReadChunk.
    void activity(QPrivateSignal);

private:
    void get(const QUrl &url);
    void onMetaData();
    void onReadyRead();
    void onFinished();
    void onIdle();
    void followRedirect(const QUrl &target);
    void announce(int state);
    void dropReply();
    void takeAvailable(qint64 size);
    void noteBodyEnd();
    bool waitForActivity();

    QNetworkAccessManager m_network;
    std::unique_ptr<QNetworkReply> m_reply;
    QUrl m_url;
    QString m_referer;
    qint64 m_resumeFrom = 0;
    quint64 m_requestId = 0; // changes with every request and cancel, so stale waits and events see it
    int m_hops = 0;
    bool m_headArrived = false;
    bool m_timedOut = false;
    bool m_interrupted = false;
    int m_status = 0;
    int m_failureCode = 0;
    QString m_failureText;
    QString m_bodyFailure;
    QByteArray m_chunk; // the part of the next chunk taken from the reply so far
    QTimer m_idleTimer;
    std::chrono::milliseconds m_idleLimit = defaultIdleLimit;
    QList<QSslCertificate> m_trusted;
};
