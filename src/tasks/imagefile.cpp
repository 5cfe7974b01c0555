#include "tasks/imagefile.h"

#include <cerrno>
#include <cstdio>
#include <QDir>
#include <QSet>
#include <unistd.h>

void ImageFile::removeParts(const QString &folderPath, const QStringList &imageNames)
{
    QDir folder(folderPath);
    const QStringList parts = folder.entryList({QStringLiteral("*.part")}, QDir::Files | QDir::System | QDir::Hidden);
    if (parts.isEmpty())
        return;
    QSet<QString> names;
    for (const QString &name : imageNames)
        names.insert(partPath(name));
    for (const QString &part : parts) {
        if (names.contains(part))
            folder.remove(part);
    }
}

bool ImageFile::open(const QString &path)
{
    m_path = path;
    m_error.clear();
    m_file.setFileName(partPath(path));
    // Unbuffered: a failing write shows at the write itself, not at some later flush.
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool ImageFile::restart()
{
    return m_file.resize(0) && m_file.seek(0);
}

bool ImageFile::write(const QByteArray &bytes)
{
    return bytes.isEmpty() || m_file.write(bytes) == bytes.size();
}

bool ImageFile::complete()
{
    // On disk before it takes the name: a rename may reach the disk before the data does.
    // (EINVAL: a device in place of the file, which has nothing to sync.)
    const bool synced = ::fdatasync(m_file.handle()) == 0 || errno == EINVAL;
    m_file.close();
    if (m_file.error() != QFileDevice::NoError || !synced) {
        m_error = synced ? QString() : QStringLiteral("无法写入磁盘");
        m_file.remove();
        return false;
    }
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = QStringLiteral("无法改名为") + m_path;
        m_file.remove();
        return false;
    }
    return true;
}

void ImageFile::discard()
{
    if (!m_file.isOpen())
        return;
    m_file.close();
    m_file.remove();
}
