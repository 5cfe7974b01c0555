#include "referencepageanalysis.h"

#include "web/addresscompletion.h"

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString marker = QStringLiteral("<!----douhao#--!>");

// Searches counting from 1; 0 when not found or when `start` lies beyond the text.
qsizetype inStr(qsizetype start, const QString &text, const QString &needle)
{
    if (start > text.size())
        return 0;
    return text.indexOf(needle, start - 1) + 1;
}

QString mid(const QString &text, qsizetype start, qsizetype length)
{
    return text.mid(start - 1, length);
}

QStringList splitLines(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(crlf);
}

QStringList keywords(QString list, const QString &pattern, const QString &replacement)
{
    list.replace(pattern, replacement);
    QStringList result;
    for (const QString &piece : list.split(QLatin1Char(','))) {
        if (piece == marker)
            result.append(QStringLiteral(","));
        else if (!piece.isEmpty())
            result.append(piece);
    }
    return result;
}

QStringList keep(const QStringList &entries, const QStringList &words)
{
    QStringList kept;
    for (const QString &entry : entries) {
        bool drop = false;
        if (!words.isEmpty()) {
            drop = entry.size() < 5;
            for (const QString &word : words)
                drop = drop || entry.toLower().contains(word.toLower());
        }
        if (!drop)
            kept.append(entry);
    }
    return kept;
}

} // namespace

QStringList referenceAnalysePage(const QString &page, const QString &firstAddress, const QString &blockImg,
                                 const QString &blockUrl, QString &imageList)
{
    const qsizetype b = inStr(1, page, QStringLiteral("<body"));
    const qsizetype e = inStr(1, page, QStringLiteral("</body>"));
    const QString window = (b == 0 || e - b + 7 < 0) ? page : mid(page, b, e - b + 7);

    QString tags;
    for (qsizetype s = 1;;) {
        const qsizetype i = inStr(s, window, QStringLiteral("<img"));
        if (i == 0)
            break;
        const qsizetype j = inStr(i, window, QStringLiteral(">"));
        if (j == 0)
            break;
        tags += mid(window, i, j - i + 1) + crlf;
        s = j;
    }

    const QStringList kept = keep(splitLines(tags), keywords(blockImg, QStringLiteral(",,"), marker));
    QString links;
    for (const QString &tag : kept) {
        if (QString(tag).remove(QLatin1Char(' ')).isEmpty())
            continue;
        const qsizetype p = inStr(1, tag, QStringLiteral("src="));
        if (p > 0) {
            const qsizetype q = inStr(p + 5, tag, QStringLiteral("\""));
            if (q > 0)
                imageList += completeAddress(mid(tag, p + 5, q - p - 5), firstAddress) + crlf;
        }
        const qsizetype d = inStr(1, page, tag);
        const QString prefix = page.left(d);
        qsizetype la = 1;
        for (qsizetype i = inStr(3, prefix, QStringLiteral("<a")); i > 0;
             i = inStr(i + 2, prefix, QStringLiteral("<a")))
            la = i;
        qsizetype lc = 1;
        for (qsizetype i = inStr(4, prefix, QStringLiteral("</a")); i > 0;
             i = inStr(i + 3, prefix, QStringLiteral("</a")))
            lc = i;
        QString anchor = tag;
        if (la > lc) {
            const qsizetype c = inStr(d + tag.size(), page, QStringLiteral("</a>"));
            anchor = c > 0 ? mid(page, la, c - la) : QString();
        }
        const qsizetype h = inStr(1, anchor, QStringLiteral("href=\"")) + 6;
        const qsizetype g = inStr(h + 1, anchor, QStringLiteral("\""));
        if (g == 0 || g - h < 0)
            continue;
        links += completeAddress(mid(anchor, h, g - h), firstAddress) + crlf;
    }
    return keep(splitLines(links), keywords(blockUrl, QStringLiteral(",,,"), QStringLiteral(",") + marker));
}
