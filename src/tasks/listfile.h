#pragma once

#include <optional>
#include <QString>

// The list file of a task folder: every image address on a line of its own, then one empty line.
// Written as "Down.lst", found under any spelling of "down.lst".

// Writes the list text (each address followed by CR LF) plus one more CR LF, replacing the old
// file only once the new one is whole. Returns the file's path, or nullopt when it cannot be written.
std::optional<QString> writeListFile(const QString &folderPath, const QString &listText);

// The list text read back: each line followed by CR LF, without the final empty line.
// nullopt when the folder holds no list file or it cannot be read.
std::optional<QString> readListFile(const QString &folderPath);

// The list file's path in the folder, whatever its spelling; empty when there is none.
QString findListFile(const QString &folderPath);
