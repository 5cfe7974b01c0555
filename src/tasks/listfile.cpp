#include "tasks/listfile.h"

#include "platform/casepath.h"
#include "platform/narrowcodepage.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

std::optional<QString> writeListFile(const QString &folderPath, const QString &listText)
{
    const QString path = pathIgnoringCase(folderPath, QStringLiteral("Down.lst"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return std::nullopt;
    const QByteArray bytes = encodeNarrow(listText + crlf);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return std::nullopt;
    }
    if (!file.commit())
        return std::nullopt;
    return path;
}

std::optional<QString> readListFile(const QString &folderPath)
{
    const QString path = findListFile(folderPath);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return std::nullopt;
    QStringList lines = splitTextLines(decodeNarrow(bytes));
    // Every file we write ends in an empty line; that line is not an address.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString &line : std::as_const(lines))
        text += line + crlf;
    return text;
}

QString findListFile(const QString &folderPath)
{
    const QString path = findIgnoringCase(folderPath, QStringLiteral("down.lst"));
    return QFileInfo(path).isFile() ? path : QString();
}
