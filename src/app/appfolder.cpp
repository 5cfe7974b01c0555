#include "app/appfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString optionValue(const QStringList &arguments, const QString &option)
{
    const QString prefix = option + u'=';
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].startsWith(prefix))
            return arguments[i].mid(prefix.size());
    }
    return {};
}

} // namespace

QString resolveAppFolder(const QStringList &arguments, const QProcessEnvironment &environment,
                         const QString &programFolder)
{
    QString folder = optionValue(arguments, QStringLiteral("--app-folder"));
    if (folder.isEmpty())
        folder = environment.value(QStringLiteral("TAVRIN_APP_FOLDER"));
    if (folder.isEmpty()) {
        const QFileInfo info(programFolder);
        folder = info.isDir() && info.isWritable()
                     ? programFolder
                     : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}
