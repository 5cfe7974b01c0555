#include "tasks/imagefile.h"

#include <QDir>
#include <QSet>

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
    m_file.close();
    if (m_file.error() == QFileDevice::NoError)
        return true;
    m_file.remove();
    return false;
}

void ImageFile::discard()
{
    if (!m_file.isOpen())
        return;
    m_file.close();
    m_file.remove();
}
