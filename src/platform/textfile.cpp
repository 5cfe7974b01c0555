#include "platform/textfile.h"

#include "platform/narrowcodepage.h"

#include <QFile>
#include <QSaveFile>

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitTextLines(decodeNarrow(file.readAll()));
}

bool writeTextFile(const QString &path, const QStringList &lines)
{
    return writeTextFileReporting(path, lines).ok;
}

// Unbuffered, with every write checked: QSaveFile (Qt 6.4) does not notice a short write made when
// its buffer is flushed on commit, and would put a cut file (a full disk) in place of the old one.
FileWriteResult writeTextFileReporting(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    const QByteArray bytes = encodeNarrow(text);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileWriteResult::failed(file.errorString());
    for (qint64 written = 0; written < bytes.size();) {
        // A short write is retried: the retry says why (say, a full disk).
        const qint64 now = file.write(bytes.constData() + written, bytes.size() - written);
        if (now <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return FileWriteResult::failed(error);
        }
        written += now;
    }
    if (!file.commit())
        return FileWriteResult::failed(file.errorString());
    return FileWriteResult::done();
}
