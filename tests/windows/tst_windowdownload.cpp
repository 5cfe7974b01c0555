#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "controls/button/pexbutton.h"
#include "controls/downbar/zanvodownbar.h"
#include "controls/tasklist/zanvolist.h"
#include "loopbackserver.h"
#include "recordinglauncher.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "tasks/downloadengine.h"
#include "testfiles.h"
#include "web/httppagefetcher.h"
#include "windows/mainwindow.h"
#include "windows/newtaskpanel.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

QByteArray imageBytes(int n, int size)
{
    QByteArray bytes = "JPEG" + QByteArray::number(n);
    while (bytes.size() < size)
        bytes += char((bytes.size() * 31 + n * 7) % 251);
    return bytes;
}

// A one-page chapter holding `count` images outside any link, so the walk ends on it.
void serveChapter(LoopbackServer &server, int count, int imageSize)
{
    QByteArray page = "<html><head><title>Chapter</title></head><body>";
    for (int k = 1; k <= count; ++k) {
        page += "<img src=\"/img/" + QByteArray::number(k) + ".jpg\">";
        server.setResponse(QStringLiteral("/img/%1.jpg").arg(k), LoopbackResponse::page(imageBytes(k, imageSize), "image/jpeg"));
    }
    server.setResponse(QStringLiteral("/c/1.html"), LoopbackResponse::page(page + "</body></html>"));
}

// The program as main() wires it, on the loopback server, with recording dialogs and launcher.
struct Program
{
    QTemporaryDir appFolder;
    Settings settings;
    Mode mode;
    RunFlags flags;
    HttpPageFetcher fetcher;
    ScriptedMessageBox messages;
    ScriptedInputBox input;
    RecordingLauncher launcher;
    QString clipboard;
    std::unique_ptr<MainWindow> window;

    Program()
    {
        QDir(appFolder.path()).mkpath(QStringLiteral("Download"));
        mode.setBlockUrl(QStringLiteral("javascript,void,download,class=,src="));
        mode.setDownMode(true);
        fetcher.setTimeLimit(5s);
        window = std::make_unique<MainWindow>(MainWindow::Services{
            appFolder.path(), settings, mode, flags, fetcher, messages, input, launcher,
            [this](TaskBoard &board, StatusLine &status) {
                return std::make_unique<DownloadEngine>(board, status, launcher, settings, flags);
            }});
        window->clipboardText = [this] { return clipboard; };
        window->show();
    }

    void click(QWidget *owner, const QString &name) const
    {
        QTest::mouseClick(owner->findChild<pexbutton *>(name, Qt::FindDirectChildrenOnly), Qt::LeftButton, {},
                          QPoint(5, 5));
    }
    // Pastes the address, adds the task, picks its bar and starts it, as a user does.
    qint16 addAndStart(const QString &address)
    {
        clipboard = address;
        click(window.get(), QStringLiteral("Command1"));
        click(&window->newTaskPanel(), QStringLiteral("pexbutton1"));
        const qint16 index = qint16(window->taskList().lastIndex());
        QTest::mouseClick(window->taskList().Down(index), Qt::LeftButton, {}, QPoint(5, 5));
        click(window.get(), QStringLiteral("Command2"));
        return index;
    }
    ZanvoDownbar &bar(qint16 index) const { return *window->taskList().Down(index); }
    QString folder() const { return appFolder.filePath(QStringLiteral("Download/Chapter")); }
};

} // namespace

class TestWindowDownload final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chapterArrivesWhole_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("1 image") << 1 << "1.jpg" << "1.jpg";
        QTest::newRow("10 images") << 10 << "01.jpg" << "10.jpg";
        QTest::newRow("100 images") << 100 << "001.jpg" << "100.jpg";
    }
    void chapterArrivesWhole()
    {
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        LoopbackServer server;
        serveChapter(server, count, 25000);
        Program program;
        QList<double> progress;
        const qint16 index = program.addAndStart(server.url(QStringLiteral("/c/1.html")));
        QCOMPARE(program.bar(index).TaskName(), QStringLiteral("Chapter"));
        QTRY_COMPARE_WITH_TIMEOUT(program.bar(index).Tagged(), QStringLiteral("下载完成!"), 30000);

        QByteArray list;
        for (int k = 1; k <= count; ++k)
            list += server.url(QStringLiteral("/img/%1.jpg").arg(k)).toLatin1() + "\r\n";
        QCOMPARE(readBytes(program.folder() + QStringLiteral("/Down.lst")), list + "\r\n");
        const QStringList files = QDir(program.folder()).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), count);
        QCOMPARE(files.first(), first);
        QCOMPARE(files.last(), last);
        for (int k = 1; k <= count; ++k)
            QCOMPARE(readBytes(program.folder() + u'/' + files.at(k - 1)), imageBytes(k, 25000));
        QCOMPARE(program.bar(index).Progress(), 100.0);
        QCOMPARE(program.launcher.calls, QStringList{QStringLiteral("folder:") + program.folder()});
    }

    void deletingTheDownloadingTaskStopsIt()
    {
        LoopbackServer server;
        serveChapter(server, 3, 2000);
        LoopbackResponse slow = LoopbackResponse::page(imageBytes(1, 300000), "image/jpeg");
        slow.bytesPerTick = 2000;
        slow.tick = 20ms;
        server.setResponse(QStringLiteral("/img/1.jpg"), slow);
        Program program;
        // The user deletes the task while image 1 is on its way: the click is handled inside the
        // engine's wait for the next chunk.
        bool partWritten = false;
        QTimer::singleShot(700, program.window.get(), [&] {
            partWritten = QFileInfo(program.folder() + QStringLiteral("/1.jpg.part")).size() > 0;
            program.click(program.window.get(), QStringLiteral("pexbutton3"));
        });
        const qint16 index = program.addAndStart(server.url(QStringLiteral("/c/1.html")));
        QTRY_COMPARE_WITH_TIMEOUT(program.window->taskList().Count(), 0, 10000);
        QVERIFY(partWritten);
        QTest::qWait(300);
        QCOMPARE(QDir(program.folder()).entryList(QDir::Files), QStringList{QStringLiteral("Down.lst")});
        QCOMPARE(server.requestCount(QStringLiteral("/img/2.jpg")), 0);
        QCOMPARE(program.bar(index).Tagged(), QStringLiteral("下载开始..."));
    }
};

QTEST_MAIN(TestWindowDownload)
#include "tst_windowdownload.moc"
