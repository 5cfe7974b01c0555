#pragma once

#include <QFile>
#include <QString>

// The file one image is written to. It is emptied when opened, every write is checked (a full
// disk fails the image), and unless it was completed it is removed again, so only whole images
// stay in the folder.
class ImageFile
{
public:
    ImageFile() = default;
    ImageFile(const ImageFile &) = delete;
    ImageFile &operator=(const ImageFile &) = delete;

    bool open(const QString &path);
    bool write(const QByteArray &bytes);
    // Closes a complete image: it stays. False when the last bytes could not be written.
    bool complete();
    // Closes and removes an image that was not completed; nothing when none is open.
    void discard();
    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
};
