#include "tasks/comicarchive.h"

#include <cstdio>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace {

QString zipError(zip_t *archive)
{
    return QString::fromLocal8Bit(zip_strerror(archive));
}

// Adds one file as it is: pictures are compressed already.
std::optional<QString> addImage(zip_t *archive, const QString &path)
{
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, -1);
    if (!source)
        return QStringLiteral("%1: %2").arg(path, zipError(archive));
    const QByteArray name = QFileInfo(path).fileName().toUtf8();
    const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return QStringLiteral("%1: %2").arg(path, zipError(archive));
    }
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    return std::nullopt;
}

std::optional<QString> addBuffer(zip_t *archive, const char *name, const QByteArray &bytes)
{
    zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    if (!source)
        return zipError(archive);
    if (zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return zipError(archive);
    }
    return std::nullopt;
}

// The title as XML 1.0 text: markup characters escaped, and the characters XML cannot carry at
// all (control characters, U+FFFE, U+FFFF, a lone surrogate) left out, or readers reject the file.
QString xmlText(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            kept.append(c).append(text.at(++i));
            continue;
        }
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF || c.isSurrogate())
            continue;
        kept.append(c);
    }
    return kept.toHtmlEscaped();
}

} // namespace

QByteArray comicInfoXml(const QString &title, int pageCount)
{
    // One pass over the placeholders: a "%2" in a page's title is the title's own text.
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                          "<ComicInfo xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                          "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">\n"
                          "  <Title>%1</Title>\n"
                          "  <PageCount>%2</PageCount>\n"
                          "</ComicInfo>\n")
        .arg(xmlText(title), QString::number(pageCount))
        .toUtf8();
}

std::optional<QString> writeComicArchive(const QString &archivePath, const QString &title,
                                         const QStringList &imageFiles)
{
    const QString partPath = archivePath + QStringLiteral(".part");
    QFile::remove(partPath);
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(partPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const QString text = QString::fromLocal8Bit(zip_error_strerror(&details));
        zip_error_fini(&details);
        return QStringLiteral("%1: %2").arg(archivePath, text);
    }
    // The buffer must live until the archive is closed: libzip reads it then.
    const QByteArray info = comicInfoXml(title, int(imageFiles.size()));
    std::optional<QString> failure;
    for (const QString &path : imageFiles) {
        failure = addImage(archive, path);
        if (failure)
            break;
    }
    if (!failure)
        failure = addBuffer(archive, "ComicInfo.xml", info);
    if (failure) {
        zip_discard(archive);
        QFile::remove(partPath);
        return failure;
    }
    if (zip_close(archive) != 0) {
        const QString text = zipError(archive);
        zip_discard(archive);
        QFile::remove(partPath);
        return QStringLiteral("%1: %2").arg(archivePath, text);
    }
    if (std::rename(QFile::encodeName(partPath).constData(), QFile::encodeName(archivePath).constData()) != 0) {
        QFile::remove(partPath);
        return QStringLiteral("%1: cannot be renamed into place").arg(archivePath);
    }
    return std::nullopt;
}
