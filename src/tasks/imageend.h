#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Whether an image whose answer gave no length came whole. Such a body ends where the connection
// ends, so a server that falls over mid-image looks the same as one that finished; the formats
// comics come in say themselves where they end.

enum class ImageEnd
{
    Whole,   // the format's end is there
    Cut,     // a known format without its end
    Unknown, // not a format known here: nothing to tell
};

// How much of the start and of the end of a file `imageEnd` looks at.
inline constexpr qint64 imageEndHeadSize = 16;
inline constexpr qint64 imageEndTailSize = 1024;

// `head` and `tail`: the first and the last bytes of an image of `size` bytes (at most
// imageEndHeadSize and imageEndTailSize of them; both the whole image when it is smaller).
ImageEnd imageEnd(const QByteArray &head, const QByteArray &tail, qint64 size);

// The same for the file at `path`; Unknown when it cannot be read.
ImageEnd imageFileEnd(const QString &path);
