#include "enginerig.h"

#include "testfiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using namespace std::chrono_literals;

EngineRig::EngineRig()
{
    board.addTask(QStringLiteral("另一话"), QStringLiteral("http://127.0.0.1/c/0.html"));
    task = board.addTask(QStringLiteral("第1话: 开始?"), QStringLiteral("http://127.0.0.1/c/1.html"));
    engine.transfer().setIdleLimit(5s);
    // Retries wait a blink, not seconds.
    engine.setRetryBase(10ms);
}

QString EngineRig::serve(int number, const LoopbackResponse &response, const QString &extension)
{
    const QString target = QStringLiteral("/p/%1%2").arg(number).arg(extension);
    server.setResponse(target, response);
    return server.url(target);
}

QStringList EngineRig::serveImages(int count, qint64 size, QList<QByteArray> &bodies)
{
    QStringList addresses;
    bodies.clear();
    for (int number = 1; number <= count; ++number) {
        bodies.append(imageBytes(size, quint32(number)));
        addresses.append(serve(number, imageResponse(bodies.last())));
    }
    return addresses;
}

void EngineRig::start(const QStringList &addresses)
{
    engine.start(task, listText(addresses), folder.path());
}

// In a running event loop: polling with sleeps in between would add their time to every hop
// between the engine, Qt's network thread and the server.
bool EngineRig::ends(int timeoutMs)
{
    return !ended.isEmpty() || ended.wait(timeoutMs);
}

QStringList EngineRig::files() const
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

QByteArray EngineRig::bytes(const QString &name) const
{
    return readBytes(path(name));
}

QString EngineRig::path(const QString &name) const
{
    return QDir(folder.path()).filePath(name);
}

QByteArray imageBytes(qint64 size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

LoopbackResponse imageResponse(const QByteArray &body)
{
    return LoopbackResponse::page(body, "image/jpeg");
}

QString listText(const QStringList &addresses)
{
    QString text;
    for (const QString &address : addresses)
        text += address + QStringLiteral("\r\n");
    return text;
}
