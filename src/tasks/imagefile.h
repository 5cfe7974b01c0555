#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// The file one image is written to: its name plus ".part", which it loses only once it is whole
// and on disk (PartFileFinisher), so a file under an image's name is always a whole image, even
// after a crash or a power cut. Every write is checked (a full disk fails the image); a part file
// that is not completed is removed again.
class ImageFile
{
public:
    ImageFile() = default;
    ImageFile(const ImageFile &) = delete;
    ImageFile &operator=(const ImageFile &) = delete;

    static QString partPath(const QString &path) { return path + QStringLiteral(".part"); }
    // Removes the part files that images of these names left in the folder (a crash, a kill);
    // other files of the folder stay.
    static void removeParts(const QString &folderPath, const QStringList &imageNames);

    // Opens the part file of the image `path`, emptied.
    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    // Bytes in the open part file.
    qint64 size() const { return m_file.isOpen() ? m_file.size() : 0; }
    // Empties the open part file: the image starts again.
    bool restart();
    bool write(const QByteArray &bytes);
    // Closes a complete image, for PartFileFinisher to give its name. False, with the part file
    // removed, when the last bytes could not be written.
    bool complete();
    // Closes and removes an image that was not completed; nothing when none is open.
    void discard();
    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
};
