#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// Packs a chapter's images, in the order given, into a comic archive (a ZIP file) with a
// ComicInfo.xml that carries the title and the page count. The archive is written under a
// temporary name and renamed once whole, so a file under its final name is never half an
// archive. Returns nullopt on success, otherwise what went wrong.
std::optional<QString> writeComicArchive(const QString &archivePath, const QString &title,
                                         const QStringList &imageFiles);

// The ComicInfo.xml of a chapter.
QByteArray comicInfoXml(const QString &title, int pageCount);
