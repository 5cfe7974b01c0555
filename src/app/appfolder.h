#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The folder that holds Option.ini, Mode/ and Download/. `--app-folder DIR` wins, then the
// environment variable TAVRIN_APP_FOLDER, then the program's own folder when it is writable,
// otherwise the per-user data folder.
QString resolveAppFolder(const QStringList &arguments, const QProcessEnvironment &environment,
                         const QString &programFolder);
