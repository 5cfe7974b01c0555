#include "web/pageindex.h"

#include "web/eventpump.h"

#include <algorithm>

// Positions are counted from 0; the rules they implement count from 1, hence the odd offsets.

namespace {

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

} // namespace

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

QList<ImageTagSpan> PageIndex::imageTags(qsizetype windowStart, qsizetype windowLength, EventPump &pump) const
{
    const QStringView window = m_page.mid(windowStart, windowLength);
    const qsizetype windowEnd = windowStart + windowLength;
    QList<ImageTagSpan> tags;
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
