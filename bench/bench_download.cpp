// Image download speed, memory and liveness. A server process (this program with --serve) serves
// 300 images of 200 KB and one image of 1 GiB on loopback; the engine runs in a process of its own
// (this program with --download, no window, start-up included) and so does wget, each timed from
// spawn to exit against the same server in the same run.
//  - 300 images: engine wall time against `wget -i` of the same list into an empty folder.
//  - 1 GiB: the engine's peak resident memory, and its resident memory at the start and the end
//    of a pause in the middle (10 s unless --pause-ms says otherwise), beside wget's peak.
//  - Both: the longest gap between the ticks of a 10 ms timer in the engine's process.

#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "loopbackserver.h"
#include "recordinglauncher.h"
#include "recordingstatusline.h"
#include "tasks/downloadengine.h"
#include "tasks/runcontrols.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>

using namespace std::chrono_literals;

namespace {

constexpr int imageCount = 300;
constexpr qint64 imageSize = 200 * 1024;
constexpr qint64 bigSize = qint64(1) << 30;
constexpr int rounds = 3;

// ---- server process -------------------------------------------------------------------------

// Streams one body of bigSize bytes, generated as it goes, so the server holds no GiB itself.
class BigBodyServer final : public QTcpServer
{
public:
    BigBodyServer()
    {
        connect(this, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                serve(socket);
        });
    }

private:
    void serve(QTcpSocket *socket)
    {
        auto *sent = new qint64(-1); // -1 until the request is in
        connect(socket, &QTcpSocket::disconnected, socket, [socket, sent] {
            delete sent;
            socket->deleteLater();
        });
        const auto pump = [socket, sent] {
            static const QByteArray piece = [] {
                QByteArray bytes(256 * 1024, Qt::Uninitialized);
                for (qsizetype i = 0; i < bytes.size(); ++i)
                    bytes[i] = char(i * 7 + i / 251);
                return bytes;
            }();
            while (*sent >= 0 && *sent < bigSize && socket->bytesToWrite() < 1024 * 1024) {
                const qint64 size = std::min<qint64>(piece.size(), bigSize - *sent);
                socket->write(piece.constData(), size);
                *sent += size;
            }
            if (*sent >= bigSize && socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        };
        connect(socket, &QTcpSocket::readyRead, socket, [socket, sent, pump] {
            if (*sent >= 0 || !socket->readAll().contains("\r\n\r\n"))
                return;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                          QByteArray::number(bigSize) + "\r\nConnection: close\r\n\r\n");
            *sent = 0;
            pump();
        });
        connect(socket, &QTcpSocket::bytesWritten, socket, pump);
    }
};

QByteArray imageBody(int number)
{
    QByteArray body(imageSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < body.size(); ++i)
        body[i] = char(number * 31 + i * 13 + i / 97);
    return body;
}

int serve(QCoreApplication &app)
{
    LoopbackServer images;
    for (int number = 1; number <= imageCount; ++number)
        images.setResponse(QStringLiteral("/img/%1.jpg").arg(number),
                           LoopbackResponse::page(imageBody(number), "image/jpeg"));
    BigBodyServer big;
    if (!images.isListening() || !big.listen(QHostAddress::LocalHost))
        return 1;
    // Ends with the measuring process, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::printf("%d %d\n", images.port(), big.serverPort());
    std::fflush(stdout);
    return app.exec();
}

// ---- engine process -------------------------------------------------------------------------

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// --download LIST FOLDER [PAUSE_MS]: downloads the list (CR LF lines) into FOLDER; with PAUSE_MS,
// pauses that long once the task is half done. Prints its figures on one line.
int download(QCoreApplication &app, const QStringList &args)
{
    QFile list(args.value(0));
    if (!list.open(QIODevice::ReadOnly))
        return 1;
    const QString listText = QString::fromLatin1(list.readAll());
    const QString folder = args.value(1);
    const int pauseMs = args.value(2, QStringLiteral("0")).toInt();

    FakeBoard board;
    RecordingStatusLine status;
    RecordingLauncher launcher;
    Settings settings;
    settings.setAutoOpen(0);
    RunFlags flags;
    DownloadEngine engine(board, status, launcher, settings, flags);
    const qint16 task = board.addTask(QStringLiteral("bench"), QStringLiteral("http://127.0.0.1/"));

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });

    qint64 rssAtPause = -1;
    qint64 rssAfterPause = -1;
    bool pauseAsked = false;
    board.onProgress = [&](qint16, double progress) {
        if (pauseMs > 0 && !pauseAsked && progress >= 50) {
            pauseAsked = true;
            togglePause(flags);
        }
    };
    board.onChangeState = [&](qint16, const QString &state) {
        if (state != QStringLiteral("用户暂停..."))
            return;
        rssAtPause = statusKb("VmRSS:");
        QTimer::singleShot(pauseMs, &app, [&] {
            rssAfterPause = statusKb("VmRSS:");
            togglePause(flags);
        });
    };
    QObject::connect(&engine, &ImageDownloader::taskEnded, &app, &QCoreApplication::quit);
    QTimer::singleShot(0, &app, [&] {
        sinceTick.start();
        tick.start(10ms);
        engine.start(task, listText, folder);
    });
    app.exec();
    std::printf("state=%s gap=%lld peak=%lld pause=%lld,%lld\n", qPrintable(board.task(task).state),
                longestGap, statusKb("VmHWM:"), rssAtPause, rssAfterPause);
    return 0;
}

// ---- measuring process ----------------------------------------------------------------------

struct Run
{
    bool ok = false;
    double seconds = 0;
    qint64 peakKb = -1; // polled from /proc while it runs
    QString output;
};

// Runs a program to its end, timed from spawn to exit.
Run runTimed(const QString &program, const QStringList &args)
{
    Run run;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForStarted())
        return run;
    const QString statusPath = QStringLiteral("/proc/%1/status").arg(process.processId());
    while (!process.waitForFinished(50)) {
        QFile status(statusPath);
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    run.peakKb = std::max(run.peakKb, line.mid(6).trimmed().split(' ').value(0).toLongLong());
        }
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return run;
}

QString field(const QString &output, const QString &name)
{
    for (const QString &part : output.split(QLatin1Char(' ')))
        if (part.startsWith(name + QLatin1Char('=')))
            return part.mid(name.size() + 1);
    return {};
}

bool writeList(const QString &path, const QStringList &addresses, const char *lineEnd)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &address : addresses)
        file.write(address.toLatin1() + lineEnd);
    return true;
}

bool folderHolds(const QString &path, int count, qint64 size)
{
    const QFileInfoList files = QDir(path).entryInfoList(QDir::Files);
    return files.size() == count &&
           std::all_of(files.cbegin(), files.cend(), [size](const QFileInfo &file) { return file.size() == size; });
}

bool compareManyImages(const QString &self, const QString &wget, quint16 port, const QString &work)
{
    QStringList addresses;
    for (int number = 1; number <= imageCount; ++number)
        addresses.append(QStringLiteral("http://127.0.0.1:%1/img/%2.jpg").arg(port).arg(number));
    const QString engineList = work + QStringLiteral("/engine.lst");
    const QString wgetList = work + QStringLiteral("/wget.lst");
    if (!writeList(engineList, addresses, "\r\n") || !writeList(wgetList, addresses, "\n"))
        return false;

    std::printf("%d images of %lld KB (best of %d rounds, each client a fresh process):\n", imageCount,
                imageSize / 1024, rounds);
    double engineBest = 1e300;
    double wgetBest = 1e300;
    qint64 gap = 0;
    bool complete = true;
    for (int round = 0; round < rounds; ++round) {
        const QString engineFolder = work + QStringLiteral("/engine%1").arg(round);
        QDir().mkpath(engineFolder);
        const Run engine = runTimed(self, {QStringLiteral("--download"), engineList, engineFolder});
        complete = complete && engine.ok && field(engine.output, QStringLiteral("state")) == u"下载完成!" &&
                   folderHolds(engineFolder, imageCount, imageSize);
        engineBest = std::min(engineBest, engine.seconds);
        gap = std::max(gap, field(engine.output, QStringLiteral("gap")).toLongLong());
        QDir(engineFolder).removeRecursively();
        if (wget.isEmpty())
            continue;
        const QString wgetFolder = work + QStringLiteral("/wget%1").arg(round);
        const Run peer = runTimed(wget, {QStringLiteral("-q"), QStringLiteral("-i"), wgetList, QStringLiteral("-P"),
                                         wgetFolder});
        if (peer.ok && folderHolds(wgetFolder, imageCount, imageSize))
            wgetBest = std::min(wgetBest, peer.seconds);
        QDir(wgetFolder).removeRecursively();
    }
    std::printf("  engine:   %.3f s, start-up included%s\n", engineBest, complete ? "" : " (IMAGES MISSING)");
    std::printf("  longest gap between 10 ms ticks in the engine's process: %lld ms (goal <= 50)\n", gap);
    if (wgetBest > 1e299) {
        std::printf("  wget not found or failed: no peer figure\n");
        return complete;
    }
    std::printf("  wget -i:  %.3f s\n", wgetBest);
    std::printf("  ratio engine/wget: %.2f (goal <= 1.2)\n", engineBest / wgetBest);
    return complete;
}

bool measureBigImage(const QString &self, const QString &wget, quint16 port, int pauseMs, const QString &work)
{
    const QString address = QStringLiteral("http://127.0.0.1:%1/big.bin").arg(port);
    const QString list = work + QStringLiteral("/big.lst");
    if (!writeList(list, {address}, "\r\n"))
        return false;
    std::printf("one image of 1 GiB, paused for %d ms at half way:\n", pauseMs);
    const QString folder = work + QStringLiteral("/big");
    QDir().mkpath(folder);
    const Run engine = runTimed(self, {QStringLiteral("--download"), list, folder, QString::number(pauseMs)});
    const bool complete = engine.ok && field(engine.output, QStringLiteral("state")) == u"下载完成!" &&
                          folderHolds(folder, 1, bigSize);
    QDir(folder).removeRecursively();
    const QStringList pause = field(engine.output, QStringLiteral("pause")).split(QLatin1Char(','));
    std::printf("  engine: peak resident %.1f MB (goal < 150); resident %.1f MB when the pause began, "
                "%.1f MB when it ended; %.1f s in all%s\n",
                field(engine.output, QStringLiteral("peak")).toDouble() / 1024, pause.value(0).toDouble() / 1024,
                pause.value(1).toDouble() / 1024, engine.seconds, complete ? "" : " (IMAGE INCOMPLETE)");
    std::printf("  longest gap between 10 ms ticks in the engine's process: %s ms (goal <= 50)\n",
                qPrintable(field(engine.output, QStringLiteral("gap"))));
    if (wget.isEmpty())
        return complete;
    const QString wgetFolder = work + QStringLiteral("/bigwget");
    const Run peer = runTimed(wget, {QStringLiteral("-q"), QStringLiteral("-P"), wgetFolder, address});
    std::printf("  wget (no pause): peak resident %.1f MB, %.1f s%s\n", peer.peakKb / 1024.0, peer.seconds,
                peer.ok ? "" : " (failed)");
    QDir(wgetFolder).removeRecursively();
    return complete;
}

int measure(const QString &self, int pauseMs)
{
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(self, {QStringLiteral("--serve")});
    if (!server.waitForStarted() || !server.waitForReadyRead(30000)) {
        std::printf("server process did not start\n");
        return 1;
    }
    const QStringList ports = QString::fromLatin1(server.readLine()).trimmed().split(QLatin1Char(' '));
    QTemporaryDir work;
    const QString wget = QStandardPaths::findExecutable(QStringLiteral("wget"));
    const bool many = compareManyImages(self, wget, quint16(ports.value(0).toUInt()), work.path());
    const bool big = measureBigImage(self, wget, quint16(ports.value(1).toUInt()), pauseMs, work.path());
    server.terminate();
    server.waitForFinished(5000);
    return many && big ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == u"--serve")
        return serve(app);
    if (args.value(0) == u"--download")
        return download(app, args.mid(1));
    int pauseMs = 10000;
    if (args.value(0) == u"--pause-ms")
        pauseMs = args.value(1).toInt();
    return measure(app.applicationFilePath(), pauseMs);
}
