#include "web/pageanalysis.h"

#include "app/mode.h"
#include "web/addresscompletion.h"
#include "web/eventpump.h"
#include "web/keywordlist.h"

#include <algorithm>
#include <QHash>
#include <QList>

// Positions below are 0-based; the rules they implement count from 1, hence the odd offsets.

namespace {

const QString crlf = QStringLiteral("\r\n");

QList<qsizetype> occurrences(QStringView text, QStringView needle, qsizetype from)
{
    QList<qsizetype> found;
    for (qsizetype i = text.indexOf(needle, from); i >= 0; i = text.indexOf(needle, i + needle.size()))
        found.append(i);
    return found;
}

// Last position in the sorted list that is at most `limit`, or -1.
qsizetype lastAtMost(const QList<qsizetype> &sorted, qsizetype limit)
{
    const auto it = std::upper_bound(sorted.cbegin(), sorted.cend(), limit);
    return it == sorted.cbegin() ? -1 : *(it - 1);
}

// First position in the sorted list that is at least `from`, or -1.
qsizetype firstAtLeast(const QList<qsizetype> &sorted, qsizetype from)
{
    const auto it = std::lower_bound(sorted.cbegin(), sorted.cend(), from);
    return it == sorted.cend() ? -1 : *it;
}

// The part of the page searched for image tags: "<body" through "</body>", with the formula's
// odd results when "</body>" is missing or comes first.
QStringView bodyWindow(QStringView page, qsizetype &windowStart)
{
    const qsizetype b = page.indexOf(u"<body") + 1;
    const qsizetype e = page.indexOf(u"</body>") + 1;
    const qsizetype length = e - b + 7;
    windowStart = 0;
    if (b == 0 || length < 0)
        return page;
    windowStart = b - 1;
    return page.mid(windowStart, std::min(length, page.size() - windowStart));
}

struct TagSpan
{
    qsizetype start;
    qsizetype length;
};

QList<TagSpan> imageTags(QStringView window, EventPump &pump)
{
    QList<TagSpan> tags;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = window.indexOf(u"<img", from);
        if (open < 0)
            break;
        const qsizetype close = window.indexOf(u'>', open);
        if (close < 0)
            break;
        tags.append({open, close - open + 1});
        from = close;
        pump.poll();
    }
    return tags;
}

// Everything about the whole page that the candidate of a tag needs, found in one pass each, so
// that a page with many images costs no more than one with few.
class PageIndex
{
public:
    explicit PageIndex(QStringView page) : m_page(page)
    {
        m_linkOpens = occurrences(page, u"<a", 2);
        m_linkCloses = occurrences(page, u"</a", 3);
        m_anchorEnds = occurrences(page, u"</a>", 0);
        m_hrefs = occurrences(page, u"href=\"", 0);
        indexImageTags();
    }

    // Position of the first occurrence of `entry` in the page; `knownAt` is one occurrence.
    qsizetype firstOccurrence(QStringView entry, qsizetype knownAt);
    QString candidate(QStringView entry, qsizetype at) const;

private:
    void indexImageTags();
    static bool isWholeTag(QStringView entry);

    QStringView m_page;
    QList<qsizetype> m_linkOpens;
    QList<qsizetype> m_linkCloses;
    QList<qsizetype> m_anchorEnds;
    QList<qsizetype> m_hrefs;
    QHash<QStringView, qsizetype> m_firstTag;
    QList<qsizetype> m_innerTagStarts;
    QHash<QString, qsizetype> m_otherEntries;
};

// Tags in page order: the first position of each tag text. An "<img" inside another tag (before
// its ">") also starts an occurrence of a tag text; those are kept apart, as they are rare.
void PageIndex::indexImageTags()
{
    qsizetype tagEnd = -1;
    for (qsizetype open = m_page.indexOf(u"<img"); open >= 0; open = m_page.indexOf(u"<img", open + 4)) {
        if (open <= tagEnd) {
            m_innerTagStarts.append(open);
            continue;
        }
        tagEnd = m_page.indexOf(u'>', open);
        if (tagEnd < 0)
            break;
        const QStringView tag = m_page.mid(open, tagEnd - open + 1);
        if (!m_firstTag.contains(tag))
            m_firstTag.insert(tag, open);
    }
}

bool PageIndex::isWholeTag(QStringView entry)
{
    return entry.startsWith(u"<img") && entry.indexOf(u'>') == entry.size() - 1;
}

qsizetype PageIndex::firstOccurrence(QStringView entry, qsizetype knownAt)
{
    if (isWholeTag(entry)) {
        const qsizetype first = m_firstTag.value(entry, knownAt + 1);
        if (m_innerTagStarts.isEmpty() || m_innerTagStarts.first() >= first)
            return std::min(first, knownAt);
    }
    // A piece of a tag split at a line break, or a tag that may also stand inside another one.
    const QString key = entry.toString();
    const auto cached = m_otherEntries.constFind(key);
    if (cached != m_otherEntries.cend())
        return *cached;
    const qsizetype first = m_page.left(knownAt + entry.size()).indexOf(entry);
    m_otherEntries.insert(key, first);
    return first;
}

// The link around the tag that starts at `at` (its first occurrence): the value of the first
// href="..." in the anchor text, or for a tag outside any link the text from its 6th character
// up to the next double quote.
QString PageIndex::candidate(QStringView entry, qsizetype at) const
{
    const qsizetype open = lastAtMost(m_linkOpens, at - 1);
    const qsizetype close = lastAtMost(m_linkCloses, at - 2);
    QStringView anchor = entry;
    qsizetype h = 0; // 1-based, just after href="
    if (open > close) {
        const qsizetype end = firstAtLeast(m_anchorEnds, at + entry.size());
        if (end < 0)
            return {};
        anchor = m_page.mid(open, end - open);
        const qsizetype href = firstAtLeast(m_hrefs, open);
        h = (href >= 0 && href + 6 <= end ? href - open + 1 : 0) + 6;
    } else {
        h = entry.indexOf(u"href=\"") + 1 + 6;
    }
    const qsizetype g = anchor.indexOf(u'"', h) + 1;
    if (g == 0)
        return {};
    return anchor.mid(h - 1, g - h).toString();
}

bool isBlankEntry(QStringView entry)
{
    return std::all_of(entry.begin(), entry.end(), [](QChar c) { return c == u' '; });
}

// The image address of a tag: the value after its first "src=" up to the next double quote.
bool cutImageAddress(QStringView entry, QString &address)
{
    const qsizetype p = entry.indexOf(u"src=");
    if (p < 0)
        return false;
    const qsizetype q = entry.indexOf(u'"', p + 5);
    if (q < 0)
        return false;
    address = entry.mid(p + 5, q - p - 5).toString();
    return true;
}

// Splits at CR LF; an empty text has no entries, a text ending in CR LF has an empty last one.
QStringList crlfEntries(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(crlf);
}

} // namespace

QStringList AnalysePage(const QString &pageText, const QString &firstAddress, const Mode &mode,
                        QString &imageList, const std::function<void()> &tagsCollected)
{
    EventPump pump;
    const QStringView page(pageText);
    qsizetype windowStart = 0;
    const QStringView window = bodyWindow(page, windowStart);
    const QList<TagSpan> tags = imageTags(window, pump);
    if (tagsCollected)
        tagsCollected();

    const KeywordList imageKeywords = KeywordList::fromImageList(mode.blockImg());
    PageIndex index(page);
    QString candidateText;
    for (const TagSpan &tag : tags) {
        const QStringView text = window.mid(tag.start, tag.length);
        qsizetype pieceStart = 0;
        // A tag written over several lines gives one entry per line.
        while (pieceStart <= text.size()) {
            qsizetype pieceEnd = text.indexOf(crlf, pieceStart);
            if (pieceEnd < 0)
                pieceEnd = text.size();
            const QStringView entry = text.mid(pieceStart, pieceEnd - pieceStart);
            const qsizetype entryAt = windowStart + tag.start + pieceStart;
            pieceStart = pieceEnd + 2;
            if (imageKeywords.drops(entry) || isBlankEntry(entry))
                continue;
            QString address;
            if (cutImageAddress(entry, address))
                imageList += completeAddress(address, firstAddress) + crlf;
            const qsizetype first = index.firstOccurrence(entry, entryAt);
            const QString link = index.candidate(entry, first);
            if (!link.isNull())
                candidateText += completeAddress(link, firstAddress) + crlf;
            pump.poll();
        }
    }

    const KeywordList linkKeywords = KeywordList::fromLinkList(mode.blockUrl());
    QStringList candidates;
    for (const QString &entry : crlfEntries(candidateText)) {
        if (!linkKeywords.drops(entry))
            candidates.append(entry);
    }
    return candidates;
}
