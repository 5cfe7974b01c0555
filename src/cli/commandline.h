#pragma once

#include "cli/clisession.h"

#include <QStringList>

// Runs the program without a window: parses the arguments after the program's name, prepares the
// app folder as the window does, and runs the subcommand. Returns the exit status.
int runCommandLine(const QStringList &arguments, const QString &programFolder,
                   const CliSession::DownloaderFactory &makeDownloader);
