// The main window with three tasks and the new-task panel open, for looking at under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/mainwindowsheet [--quit-after MS] [--grab FILE]
// It reaches no network: its fetcher answers nothing and its downloader only holds the task.
#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/shelllauncher.h"
#include "tasks/imagedownloader.h"
#include "web/pagefetcher.h"
#include "windows/mainwindow.h"
#include "windows/newtaskpanel.h"
#include "windows/qtinputbox.h"
#include "windows/qtmessagebox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class SilentFetcher final : public PageFetcher
{
public:
    QString FetchPage(const QString &) override { return {}; }
};

class HeldDownloader final : public ImageDownloader
{
public:
    void start(qint16, const QString &, const QString &, const QStringList &) override {}
    bool isBusy() const override { return false; }
    void taskRemoved(qint16) override {}
    void abort() override {}
};

class NoLauncher final : public ShellLauncher
{
public:
    void showFolder(const QString &) override {}
    void openWebAddress(const QString &) override {}
    void scheduleShutdown() override {}
    void cancelShutdown() override {}
};

void fillTasks(TaskBoard &board)
{
    qint16 index = 0;
    board.Add(QStringLiteral("海贼王 第1088话"), QStringLiteral("http://manhua.example/onepiece/1088.html"), index,
              false, QStringLiteral("就绪"));
    board.Cpro(index, 0);
    board.Add(QStringLiteral("进击的巨人 第139话"), QStringLiteral("http://manhua.example/titan/139.html"), index,
              false, QStringLiteral("下载进度12/40"));
    board.Cpro(index, 30);
    board.Cspeed(index, 256.5);
    board.Add(QStringLiteral("龙珠超 第1话"), QStringLiteral("列表"), index, false, QStringLiteral("下载完成!"));
    board.Cpro(index, 100);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("quit-after"), QStringLiteral("Quit after MS milliseconds."), QStringLiteral("ms")});
    parser.addOption({QStringLiteral("grab"), QStringLiteral("Save the window to FILE."), QStringLiteral("file")});
    parser.process(app);

    QTemporaryDir appFolder;
    Settings settings;
    Mode mode;
    RunFlags flags;
    SilentFetcher fetcher;
    QtMessageBox messages;
    QtInputBox inputBox;
    NoLauncher launcher;
    MainWindow window({appFolder.path(), settings, mode, flags, fetcher, messages, inputBox, launcher,
                       [](TaskBoard &, StatusLine &) { return std::make_unique<HeldDownloader>(); }});
    window.clipboardText = [] { return QStringLiteral("http://manhua.example/naruto/700.html"); };
    fillTasks(window.board());
    window.move(20, 20);
    window.show();
    window.openNewTaskPanel();

    if (parser.isSet(QStringLiteral("grab")))
        QTimer::singleShot(300, &window, [&] { window.grab().save(parser.value(QStringLiteral("grab"))); });
    if (parser.isSet(QStringLiteral("quit-after")))
        QTimer::singleShot(parser.value(QStringLiteral("quit-after")).toInt(), &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
