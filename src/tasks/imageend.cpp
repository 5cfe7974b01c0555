#include "tasks/imageend.h"

#include <algorithm>
#include <QFile>
#include <QtEndian>

namespace {

// Some servers pad an image with a line break or zeros; they are no part of the picture.
QByteArray withoutPadding(QByteArray tail)
{
    while (!tail.isEmpty() &&
           (tail.back() == '\0' || tail.back() == '\r' || tail.back() == '\n' || tail.back() == ' '))
        tail.chop(1);
    return tail;
}

// JPEG: the end-of-image marker. Inside the compressed data a 0xFF byte is always followed by 0x00
// or a restart marker, so a cut file holds no FF D9 near its end (bar an embedded thumbnail's,
// which sits near the start). Bytes some writers put after the marker are allowed.
ImageEnd jpegEnd(const QByteArray &tail)
{
    return tail.contains("\xFF\xD9") ? ImageEnd::Whole : ImageEnd::Cut;
}

// PNG: the IEND chunk's type and its four-byte checksum.
ImageEnd pngEnd(const QByteArray &tail)
{
    const qsizetype at = tail.lastIndexOf("IEND");
    return at >= 0 && tail.size() - at >= 8 ? ImageEnd::Whole : ImageEnd::Cut;
}

// GIF: the trailer byte ";".
ImageEnd gifEnd(const QByteArray &tail)
{
    return withoutPadding(tail).endsWith(';') ? ImageEnd::Whole : ImageEnd::Cut;
}

// WebP: the RIFF header gives the size of everything after its first eight bytes.
ImageEnd webpEnd(const QByteArray &head, qint64 size)
{
    const quint32 riffSize = qFromLittleEndian<quint32>(head.constData() + 4);
    return size >= qint64(riffSize) + 8 ? ImageEnd::Whole : ImageEnd::Cut;
}

} // namespace

ImageEnd imageEnd(const QByteArray &head, const QByteArray &tail, qint64 size)
{
    if (head.startsWith("\xFF\xD8\xFF"))
        return jpegEnd(tail);
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return pngEnd(tail);
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return gifEnd(tail);
    if (head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return webpEnd(head, size);
    return ImageEnd::Unknown;
}

ImageEnd imageFileEnd(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ImageEnd::Unknown;
    const qint64 size = file.size();
    const QByteArray head = file.read(imageEndHeadSize);
    if (!file.seek(std::max<qint64>(0, size - imageEndTailSize)))
        return ImageEnd::Unknown;
    const QByteArray tail = file.read(imageEndTailSize);
    return imageEnd(head, tail, size);
}
