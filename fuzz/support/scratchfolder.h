#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A folder of the target's own for readers of files, emptied before each input. In memory
// (/dev/shm) where the system has it, so the writes of atomic saves cost no disk flush.
class ScratchFolder
{
public:
    ScratchFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &relative) const { return m_dir.filePath(relative); }

    // Removes everything in the folder, the folder itself stays.
    void clear();
    // Writes the bytes at the relative path, making its folders; false when that fails.
    bool write(const QString &relative, const QByteArray &bytes);
    // Every file and folder below the folder, as relative paths, sorted.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
};
