#include "cli/commandline.h"

#include "app/appfolder.h"
#include "app/modefile.h"
#include "app/networkoptions.h"
#include "app/optionfile.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/stopsignals.h"
#include "tasks/taskcore.h"

#include <cstdio>
#include <QCoreApplication>
#include <QProcessEnvironment>

namespace {

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int runSubcommand(CliSession &session)
{
    switch (session.options.command) {
    case CliOptions::Command::Get:
        return runGet(session);
    case CliOptions::Command::Analyse:
        return runAnalyse(session);
    case CliOptions::Command::Download:
        return runDownload(session);
    default:
        return ExitStatus::usage;
    }
}

} // namespace

int runCommandLine(const QStringList &arguments, const QString &programFolder,
                   const CliSession::DownloaderFactory &makeDownloader)
{
    const CliParse parse = parseCli(arguments);
    if (!parse.error.isEmpty()) {
        TerminalOutput(stderr).line(QStringLiteral("tavrin: %1\nTry 'tavrin --help' for more.").arg(parse.error));
        return ExitStatus::usage;
    }
    if (parse.options.command == CliOptions::Command::Help) {
        printOut(cliHelpText());
        return ExitStatus::ok;
    }
    if (parse.options.command == CliOptions::Command::Version) {
        printOut(cliVersionText());
        return ExitStatus::ok;
    }

    QStringList folderArguments{QStringLiteral("tavrin")};
    if (!parse.options.appFolder.isEmpty())
        folderArguments << QStringLiteral("--app-folder") << parse.options.appFolder;
    const QString appFolder =
        resolveAppFolder(folderArguments, QProcessEnvironment::systemEnvironment(), programFolder);
    CliSession session(parse.options, appFolder, makeDownloader);
    LoadSettings(appFolder, session.settings, session.mode, session.messages);
    const QStringList warnings = startNetwork(session.network, session.settings, appFolder,
                                              parse.options.network, QProcessEnvironment::systemEnvironment());
    for (const QString &warning : warnings)
        session.output.line(QStringLiteral("tavrin: ") + warning);
    // Each retry fails the same way: the same text once is enough.
    QObject::connect(&session.network, &NetworkSetup::proxyFailed, &session.network,
                     [&session, last = QString()](const QString &text) mutable {
                         if (text != std::exchange(last, text))
                             session.output.line(QStringLiteral("tavrin: ") + text);
                     });
    if (!parse.options.modeName.isEmpty() && !LoadMode(appFolder, parse.options.modeName, session.mode)) {
        session.output.line(QStringLiteral("tavrin: there is no mode named \"%1\"").arg(parse.options.modeName));
        return ExitStatus::usage;
    }

    StopSignals stops([&session](int signal) {
        session.stopSignal = signal;
        session.core->runner.quit();
        // Every wait returns now, and none starts again: the run winds down to its summary.
        QCoreApplication::exit(128 + signal);
    });
    const int status = runSubcommand(session);
    return session.stopped() ? 128 + session.stopSignal : status;
}
