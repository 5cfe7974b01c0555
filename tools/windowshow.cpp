// Shows one of the secondary windows over a scratch app folder, for looking at it under Xvfb.
//
//   windowshow form2|form3|form4            shows the window
//   windowshow form3 --save FILE            saves the window's picture as a PNG and ends
//
// The scratch folder holds the preset mode, two modes of its own and a few task folders. Web pages
// and folders the window would open are only printed.

#include "app/mode.h"
#include "app/modefile.h"
#include "app/optionfile.h"
#include "app/settings.h"
#include "controls/tasklist/zanvolist.h"
#include "platform/shelllauncher.h"
#include "platform/textfile.h"
#include "web/httppagefetcher.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/qtinputbox.h"
#include "windows/qtmessagebox.h"

#include <cstdio>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class PrintingLauncher final : public ShellLauncher
{
public:
    void showFolder(const QString &path) override { print("folder", path); }
    void openWebAddress(const QString &address) override { print("web", address); }
    void scheduleShutdown() override { print("shutdown", {}); }
    void cancelShutdown() override { print("cancel shutdown", {}); }

private:
    static void print(const char *what, const QString &detail)
    {
        std::printf("would open %s %s\n", what, qPrintable(detail));
        std::fflush(stdout);
    }
};

void fillScratchFolder(const QString &appFolder, Settings &settings, Mode &mode, MessageBox &messages)
{
    writeTextFile(
        appFolder + QStringLiteral("/Option.ini"),
        {QStringLiteral("Reset=5"), QStringLiteral("AutoOpen=1"), QStringLiteral("UsingMode=Normal")});
    WriteDefaultMode(appFolder, mode);
    mode.setDownMode(true);
    SaveMode(appFolder, QStringLiteral("漫画站"), mode);
    mode.setDownMode(false);
    SaveMode(appFolder, QStringLiteral("Gallery"), mode);
    LoadSettings(appFolder, settings, mode, messages);
    const QString download = downloadFolder(appFolder);
    for (const QString &task :
         {QStringLiteral("第一话 出发"), QStringLiteral("第二话"), QStringLiteral("Extra")})
        QDir(download).mkpath(task);
    writeTextFile(download + QStringLiteral("/第一话 出发/Down.lst"),
                  {QStringLiteral("http://127.0.0.1/1.jpg")});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString which = args.value(1);
    const qsizetype saveAt = args.indexOf(QStringLiteral("--save"));
    const QString saveTo = saveAt > 0 ? args.value(saveAt + 1) : QString();
    if (which != u"form2" && which != u"form3" && which != u"form4") {
        std::fprintf(stderr, "usage: windowshow form2|form3|form4 [--save FILE]\n");
        return 2;
    }

    QTemporaryDir scratch;
    Settings settings;
    Mode mode;
    QtMessageBox messages;
    QtInputBox input;
    PrintingLauncher launcher;
    HttpPageFetcher fetcher;
    ZanvoList board;
    fillScratchFolder(scratch.path(), settings, mode, messages);

    std::unique_ptr<QWidget> window;
    if (which == u"form2")
        window = std::make_unique<Form2>(fetcher, messages, launcher);
    else if (which == u"form3")
        window = std::make_unique<Form3>(scratch.path(), settings, mode, messages, input, launcher);
    else
        window = std::make_unique<Form4>(scratch.path(), board, messages);
    messages.setParent(window.get());
    input.setParent(window.get());
    window->show();

    if (!saveTo.isEmpty()) {
        QTimer::singleShot(300, window.get(), [&window, saveTo] {
            window->grab().save(saveTo);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
