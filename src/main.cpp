#include "app/appfolder.h"
#include "app/mode.h"
#include "app/networkoptions.h"
#include "app/optionfile.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "cli/clioptions.h"
#include "cli/commandline.h"
#include "tasks/downloadengine.h"
#include "web/httppagefetcher.h"
#include "web/networksetup.h"
#include "windows/mainwindow.h"
#include "windows/qtinputbox.h"
#include "windows/qtmessagebox.h"
#include "windows/qtshelllauncher.h"
#include "windows/statuslabel.h"

#include <QApplication>
#include <QDir>

namespace {

// The program's own folder holds its files when it is writable, unless the program is installed:
// then they go to the per-user data folder, whoever runs it.
QString programFolder()
{
    const QString folder = QCoreApplication::applicationDirPath();
    return QDir(folder) == QDir(QStringLiteral(TAVRIN_INSTALL_BINDIR)) ? QString() : folder;
}

int runWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrin"));
    QApplication::setOrganizationName(QStringLiteral("tavrin"));

    const QString appFolder =
        resolveAppFolder(QApplication::arguments(), QProcessEnvironment::systemEnvironment(), programFolder());
    Settings settings;
    Mode mode;
    RunFlags flags;
    QtMessageBox messages;
    QtInputBox inputBox;
    QtShellLauncher launcher;
    NetworkSetup network;
    HttpPageFetcher fetcher;
    network.configure(fetcher.network());
    LoadSettings(appFolder, settings, mode, messages);
    const QStringList warnings =
        startNetwork(network, settings, appFolder, {}, QProcessEnvironment::systemEnvironment());

    MainWindow window({appFolder, settings, mode, flags, fetcher, messages, inputBox, launcher,
                       [&](TaskBoard &board, StatusLine &status) {
                           auto engine =
                               std::make_unique<DownloadEngine>(board, status, launcher, settings, flags);
                           network.configure(engine->transfer().network());
                           return engine;
                       }});
    messages.setParent(&window);
    inputBox.setParent(&window);
    if (!warnings.isEmpty())
        window.statusLabel().setText(warnings.join(u' '));
    // Queued, so the text stays after what the failing walk or title fetch writes itself.
    QObject::connect(&network, &NetworkSetup::proxyFailed, &window.statusLabel(), &StatusLabel::setText,
                     Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrin"));
    QCoreApplication::setOrganizationName(QStringLiteral("tavrin"));
    return runCommandLine(QCoreApplication::arguments().mid(1), programFolder(),
                          [](TaskBoard &board, StatusLine &status, ShellLauncher &launcher, const Settings &settings,
                             RunFlags &flags, const DownloadOptions &options, NetworkSetup &network) {
                              auto engine = std::make_unique<DownloadEngine>(board, status, launcher, settings, flags);
                              engine->setOptions(options);
                              network.configure(engine->transfer().network());
                              return engine;
                          });
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return isCliInvocation(arguments) ? runCommandLine(argc, argv) : runWindow(argc, argv);
}
