#pragma once

#include "app/networkoptions.h"

#include <optional>
#include <QString>
#include <QStringList>

// What one command line asks for.
struct CliOptions
{
    enum class Command
    {
        Get,      // walk chapters into lists, and download them
        Analyse,  // show what one page gives under the active mode
        Download, // download a saved list
        Help,
        Version,
    };

    Command command = Command::Help;
    QStringList addresses;        // get: the chapters' first pages, in order
    QString inputFile;            // get -i: one more address a line
    std::optional<bool> listOnly; // get: --list-only / --download; the mode decides when unset
    QStringList choices;          // --choose: answers to the next-page questions, in turn
    bool cbz = false;             // pack each complete chapter into a comic archive
    bool keepExisting = false;    // --continue: images already in the folder are not fetched again
    std::optional<double> waitSeconds; // --wait: the pause between two images
    QString appFolder;
    QString modeName;             // this mode for this run only
    QString page;                 // analyse: a file or an address
    QString firstAddress;         // analyse: where the walk would have started
    bool json = false;            // analyse: one JSON object instead of lines
    QString folder;               // download: a folder holding a list file
    NetworkOverrides network;     // --proxy / --no-proxy, --cookies (made absolute)
};

struct CliParse
{
    CliOptions options;
    QString error; // a usage error, said as the user should read it; empty when the line is fine
};

// Whether the program runs without a window: a subcommand, or --help / --version.
bool isCliInvocation(const QStringList &arguments);

// Reads the arguments after the program's name.
CliParse parseCli(const QStringList &arguments);

QString cliHelpText();
QString cliVersionText();
