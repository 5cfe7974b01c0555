#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// One of a mode's keyword lists, as the page analysis applies it to tags and links.
class KeywordList
{
public:
    // The stand-in for a keyword that is a single comma while a list is split.
    static const QString commaMarker;

    // An image list (Mode.BlockImg): ",," is written for a comma keyword.
    static KeywordList fromImageList(const QString &blockImg);
    // A link list (Mode.BlockUrl): ",,," is written for a separator followed by a comma keyword.
    static KeywordList fromLinkList(const QString &blockUrl);

    // The keywords as written, in order.
    const QStringList &keywords() const { return m_keywords; }

    // True when the entry is to be dropped: with at least one keyword, an entry shorter than five
    // characters or one holding a keyword (both compared in lower case).
    bool drops(QStringView entry) const;
    // True when the text, in lower case, holds one of the keywords; no length test.
    bool names(QStringView text) const;

private:
    static KeywordList split(const QString &prepared);

    QStringList m_keywords;
    QStringList m_lowerKeywords;
};
