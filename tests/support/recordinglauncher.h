#pragma once

#include "platform/shelllauncher.h"

#include <QStringList>

// Never starts anything: only writes down what would have been launched.
class RecordingLauncher final : public ShellLauncher
{
public:
    QStringList calls;

    void showFolder(const QString &path) override { calls.append(QStringLiteral("folder:") + path); }
    void openWebAddress(const QString &address) override { calls.append(QStringLiteral("web:") + address); }
    void scheduleShutdown() override { calls.append(QStringLiteral("shutdown")); }
    void cancelShutdown() override { calls.append(QStringLiteral("cancel-shutdown")); }
};
