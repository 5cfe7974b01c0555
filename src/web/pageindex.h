#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

class EventPump;

// An image tag found in the page: start and length, counted from 0.
struct ImageTagSpan
{
    qsizetype start; // in the page
    qsizetype length;
};

// Everything the analysis searches for in the whole page, found in one pass over its "<"
// characters, so that a page with many images costs no more than one with few.
class PageIndex
{
public:
    explicit PageIndex(QStringView page);

    // The part searched for image tags: "<body" through "</body>", with the formula's odd
    // results when "</body>" is missing or comes first. As start and length in the page.
    void bodyWindow(qsizetype &start, qsizetype &length) const;
    QList<ImageTagSpan> imageTags(qsizetype windowStart, qsizetype windowLength, EventPump &pump) const;

    // Position of the first occurrence of `entry` in the page; `knownAt` is one occurrence.
    qsizetype firstOccurrence(QStringView entry, qsizetype knownAt);
    // The next-page candidate of the entry whose first occurrence is at `at`; null when none.
    QString candidate(QStringView entry, qsizetype at);

private:
    void indexImageTags();
    qsizetype firstHref(qsizetype from);
    static bool isWholeTag(QStringView entry);

    QStringView m_page;
    qsizetype m_body = -1;
    qsizetype m_bodyEnd = -1;
    QList<qsizetype> m_imageStarts; // "<img"
    QList<qsizetype> m_linkOpens;   // "<a" from 2 on
    QList<qsizetype> m_linkCloses;  // "</a" from 3 on
    QList<qsizetype> m_anchorEnds;  // "</a>"
    QHash<QStringView, qsizetype> m_firstTag;
    QList<qsizetype> m_innerTagStarts;
    QHash<QString, qsizetype> m_otherEntries;
    qsizetype m_hrefSearchedFrom = -1;
    qsizetype m_hrefFound = -1;
};
