#include "scratchfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

QString scratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/tavrin-fuzz-XXXXXX");
}

} // namespace

ScratchFolder::ScratchFolder() : m_dir(scratchTemplate())
{
}

void ScratchFolder::clear()
{
    QDir dir(path());
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

bool ScratchFolder::write(const QString &relative, const QByteArray &bytes)
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList ScratchFolder::entries() const
{
    QStringList found;
    const QDir root(path());
    QDirIterator it(path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(root.relativeFilePath(it.next()));
    found.sort();
    return found;
}
