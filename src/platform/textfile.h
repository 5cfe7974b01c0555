#pragma once

#include "platform/filewriteresult.h"

#include <optional>
#include <QString>
#include <QStringList>

// Splits text at CR LF, CR or LF. A final line break does not start another line.
QStringList splitTextLines(const QString &text);

// Reads a narrow-code-page text file by lines; nullopt when it cannot be opened.
std::optional<QStringList> readTextFile(const QString &path);

// Writes the lines, each followed by CR LF, atomically: a crash, a full disk or a refused name
// never leaves half a file, and an earlier file of that name stays whole when the write fails.
bool writeTextFile(const QString &path, const QStringList &lines);
// The same, saying why a write failed (for the user).
FileWriteResult writeTextFileReporting(const QString &path, const QStringList &lines);
