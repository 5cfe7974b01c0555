#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// Splits text at CR LF, CR or LF. A final line break does not start another line.
QStringList splitTextLines(const QString &text);

// Reads a narrow-code-page text file by lines; nullopt when it cannot be opened.
std::optional<QStringList> readTextFile(const QString &path);

// Writes the lines, each followed by CR LF, atomically: a crash never leaves half a file.
bool writeTextFile(const QString &path, const QStringList &lines);
