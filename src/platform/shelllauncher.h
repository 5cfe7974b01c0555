#pragma once

#include <QString>

// Actions handed to the desktop, never waited for. Tests always use a recording fake.
class ShellLauncher
{
public:
    virtual ~ShellLauncher() = default;
    virtual void showFolder(const QString &path) = 0;
    virtual void openWebAddress(const QString &address) = 0;
    virtual void scheduleShutdown() = 0;
    virtual void cancelShutdown() = 0;
};
