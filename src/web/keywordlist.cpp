#include "web/keywordlist.h"

#include <algorithm>
#include <QVarLengthArray>

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
    return names(entry);
}

bool KeywordList::names(QStringView entry) const
{
    if (m_lowerKeywords.isEmpty())
        return false;
    // Most tags are plain ASCII: lower them in place of a full Unicode mapping.
    QVarLengthArray<char16_t, 512> ascii;
    QString unicode;
    QStringView lower;
    if (std::all_of(entry.begin(), entry.end(), [](QChar c) { return c.unicode() < 128; })) {
        ascii.resize(entry.size());
        std::transform(entry.begin(), entry.end(), ascii.begin(), [](QChar c) {
            const char16_t u = c.unicode();
            return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
        });
        lower = QStringView(ascii.constData(), ascii.size());
    } else {
        unicode = entry.toString().toLower();
        lower = unicode;
    }
    return std::any_of(m_lowerKeywords.cbegin(), m_lowerKeywords.cend(),
                       [&](const QString &keyword) { return lower.contains(keyword); });
}
