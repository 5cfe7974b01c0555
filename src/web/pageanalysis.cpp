#include "web/pageanalysis.h"

#include "app/mode.h"
#include "web/addresscompletion.h"
#include "web/eventpump.h"
#include "web/keywordlist.h"
#include "web/pageindex.h"

#include <algorithm>

namespace {

const QString crlf = QStringLiteral("\r\n");

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
    const QList<ImageTagSpan> tags = index.imageTags(windowStart, windowLength, pump);
    if (tagsCollected)
        tagsCollected();

    const KeywordList imageKeywords = KeywordList::fromImageList(mode.blockImg());
    QString candidateText;
    for (const ImageTagSpan &tag : tags) {
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
