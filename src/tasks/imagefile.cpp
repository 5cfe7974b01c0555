#include "tasks/imagefile.h"

bool ImageFile::open(const QString &path)
{
    m_file.setFileName(path);
    // Unbuffered: a failing write shows at the write itself, not at some later flush.
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
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
