#pragma once

#include "platform/shelllauncher.h"

// The desktop's file manager and browser through QDesktopServices; shutdown through the
// shutdown command, started with an argument list and never through a shell.
class QtShellLauncher final : public ShellLauncher
{
public:
    void showFolder(const QString &path) override;
    void openWebAddress(const QString &address) override;
    void scheduleShutdown() override;
    void cancelShutdown() override;
};
