#include "web/keywordlist.h"

const QString KeywordList::commaMarker = QStringLiteral("<!----douhao#--!>");

KeywordList KeywordList::fromImageList(const QString &blockImg)
{
    QString prepared = blockImg;
    prepared.replace(QStringLiteral(",,"), commaMarker);
    return split(prepared);
}

KeywordList KeywordList::fromLinkList(const QString &blockUrl)
{
    QString prepared = blockUrl;
    prepared.replace(QStringLiteral(",,,"), QLatin1Char(',') + commaMarker);
    return split(prepared);
}

KeywordList KeywordList::split(const QString &prepared)
{
    KeywordList list;
    const QStringList pieces = prepared.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const QString keyword = piece == commaMarker ? QStringLiteral(",") : piece;
        list.m_keywords.append(keyword);
        list.m_lowerKeywords.append(keyword.toLower());
    }
    return list;
}

bool KeywordList::drops(QStringView entry) const
{
    if (m_lowerKeywords.isEmpty())
        return false;
    if (entry.size() < 5)
        return true;
    const QString lower = entry.toString().toLower();
    for (const QString &keyword : m_lowerKeywords) {
        if (lower.contains(keyword))
            return true;
    }
    return false;
}
