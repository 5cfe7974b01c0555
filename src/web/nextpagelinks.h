#pragma once

#include "web/keywordlist.h"
#include "web/pagemarkup.h"

#include <optional>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

// Chooses a page's next-page candidates among its links, as the reader sees them.
class NextPageLinks
{
public:
    // `base` resolves the page's addresses; `pageAddress` is the page's own; `linkKeywords` are
    // the mode's link keywords.
    NextPageLinks(const QUrl &base, const QString &pageAddress, KeywordList linkKeywords);

    // The candidates: the links around the comic images (indexes into `markup.links`) that may be
    // next pages; when there is none, the rel="next" links; else the links that say next page.
    QStringList candidates(const PageMarkup &markup, const QList<qsizetype> &imageLinks) const;

    // Where the link leads when it may be a next page at all; nullopt for "#..." and empty
    // links, javascript:, the page itself, a picture, another chapter or a link keyword.
    std::optional<QString> nextPage(const MarkupLink &link) const;

    // What a link says of itself: its text, title, aria-label, class and id.
    static bool saysNextPage(const MarkupLink &link);
    static bool saysOtherChapter(const MarkupLink &link);
    static bool isRelNext(const MarkupLink &link);

private:
    void add(const MarkupLink &link, QStringList &found, QSet<QString> &seen) const;

    QUrl m_base;
    QString m_pageKey;
    KeywordList m_linkKeywords;
};
