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

template <qsizetype N>
bool textAt(const char16_t *data, qsizetype size, qsizetype at, const char16_t (&text)[N])
{
    if (size - at < N - 1)
        return false;
    for (qsizetype i = 0; i < N - 1; ++i) {
        if (data[at + i] != text[i])
            return false;
    }
    return true;
}

struct TagSpan
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
    QList<TagSpan> imageTags(qsizetype windowStart, qsizetype windowLength, EventPump &pump) const;

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

PageIndex::PageIndex(QStringView page) : m_page(page)
{
    const char16_t *data = page.utf16();
    const qsizetype size = page.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] != u'<')
            continue;
        if (textAt(data, size, i, u"<a")) {
            if (i >= 2)
                m_linkOpens.append(i);
        } else if (textAt(data, size, i, u"</a")) {
            if (i >= 3)
                m_linkCloses.append(i);
            if (textAt(data, size, i, u"</a>"))
                m_anchorEnds.append(i);
        } else if (textAt(data, size, i, u"<img")) {
            m_imageStarts.append(i);
        } else if (m_body < 0 && textAt(data, size, i, u"<body")) {
            m_body = i;
        } else if (m_bodyEnd < 0 && textAt(data, size, i, u"</body>")) {
            m_bodyEnd = i;
        }
    }
    indexImageTags();
}

void PageIndex::bodyWindow(qsizetype &start, qsizetype &length) const
{
    const qsizetype b = m_body + 1;
    const qsizetype e = m_bodyEnd + 1;
    start = 0;
    length = m_page.size();
    if (b == 0 || e - b + 7 < 0)
        return;
    start = b - 1;
    length = std::min(e - b + 7, m_page.size() - start);
}

QList<TagSpan> PageIndex::imageTags(qsizetype windowStart, qsizetype windowLength, EventPump &pump) const
{
    const QStringView window = m_page.mid(windowStart, windowLength);
    const qsizetype windowEnd = windowStart + windowLength;
    QList<TagSpan> tags;
    qsizetype from = windowStart;
    for (auto it = std::lower_bound(m_imageStarts.cbegin(), m_imageStarts.cend(), from);
         it != m_imageStarts.cend() && *it + 4 <= windowEnd; ++it) {
        if (*it < from)
            continue;
        const qsizetype close = window.indexOf(u'>', *it - windowStart);
        if (close < 0)
            break;
        tags.append({*it, windowStart + close - *it + 1});
        from = windowStart + close;
        pump.poll();
    }
    return tags;
}

// Tags in page order: the first position of each tag text. An "<img" inside another tag (before
// its ">") also starts an occurrence of a tag text; those are kept apart, as they are rare.
void PageIndex::indexImageTags()
{
    qsizetype tagEnd = -1;
    for (const qsizetype open : std::as_const(m_imageStarts)) {
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

// First href=" at or after `from`. Tags come mostly in page order, so the last answer often
// serves again and the page is searched about once in all.
qsizetype PageIndex::firstHref(qsizetype from)
{
    if (from >= m_hrefSearchedFrom && (from <= m_hrefFound || m_hrefFound < 0) && m_hrefSearchedFrom >= 0)
        return m_hrefFound;
    m_hrefSearchedFrom = from;
    m_hrefFound = m_page.indexOf(u"href=\"", from);
    return m_hrefFound;
}

// The link around the tag that starts at `at`: the value of the first href="..." in the anchor
// text, or for a tag outside any link the text from its 6th character up to the next double quote.
QString PageIndex::candidate(QStringView entry, qsizetype at)
{
    const qsizetype open = lastAtMost(m_linkOpens, at - 1);
    const qsizetype close = lastAtMost(m_linkCloses, at - 2);
    QStringView anchor = entry;
    qsizetype h = 0; // counted from 1: just after href="
    if (open > close) {
        const qsizetype end = firstAtLeast(m_anchorEnds, at + entry.size());
        if (end < 0)
            return {};
        anchor = m_page.mid(open, end - open);
        const qsizetype href = firstHref(open);
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
    const AddressCompletion completion(firstAddress);
    const QStringView page(pageText);
    PageIndex index(page);
    qsizetype windowStart = 0;
    qsizetype windowLength = 0;
    index.bodyWindow(windowStart, windowLength);
    const QList<TagSpan> tags = index.imageTags(windowStart, windowLength, pump);
    if (tagsCollected)
        tagsCollected();

    const KeywordList imageKeywords = KeywordList::fromImageList(mode.blockImg());
    QString candidateText;
    for (const TagSpan &tag : tags) {
        const QStringView text = page.mid(tag.start, tag.length);
        qsizetype pieceStart = 0;
        // A tag written over several lines gives one entry per line.
        while (pieceStart <= text.size()) {
            qsizetype pieceEnd = text.indexOf(crlf, pieceStart);
            if (pieceEnd < 0)
                pieceEnd = text.size();
            const QStringView entry = text.mid(pieceStart, pieceEnd - pieceStart);
            const qsizetype entryAt = tag.start + pieceStart;
            pieceStart = pieceEnd + 2;
            if (imageKeywords.drops(entry) || isBlankEntry(entry))
                continue;
            QString address;
            if (cutImageAddress(entry, address))
                imageList += completion.complete(address) + crlf;
            const qsizetype first = index.firstOccurrence(entry, entryAt);
            const QString link = index.candidate(entry, first);
            if (!link.isNull())
                candidateText += completion.complete(link) + crlf;
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
