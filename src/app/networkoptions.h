#pragma once

#include <optional>
#include <QString>
#include <QStringList>

class NetworkSetup;
class QProcessEnvironment;
class Settings;

// What the command line puts over Option.ini for one run.
struct NetworkOverrides
{
    std::optional<QString> proxy; // --proxy URL, or "direct" for --no-proxy
    QString cookiesFile;          // --cookies FILE
};

// Sets the network up from the options, for the window and the command line alike. The proxy
// follows Settings' proxy as it changes (the settings window edits it live) unless the command
// line gives one. The cookies file (a relative path in Option.ini is taken from the app folder)
// is read once, here, and never written. Returns what the user should be told: cookie lines
// skipped, a cookies file that cannot be read, a proxy address that cannot be read.
QStringList startNetwork(NetworkSetup &network, const Settings &settings, const QString &appFolder,
                         const NetworkOverrides &overrides, const QProcessEnvironment &environment);
