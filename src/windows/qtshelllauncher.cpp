#include "windows/qtshelllauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void QtShellLauncher::showFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtShellLauncher::openWebAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

void QtShellLauncher::scheduleShutdown()
{
    QProcess::startDetached(QStringLiteral("shutdown"), {QStringLiteral("-P"), QStringLiteral("+1")});
}

void QtShellLauncher::cancelShutdown()
{
    QProcess::startDetached(QStringLiteral("shutdown"), {QStringLiteral("-c")});
}
