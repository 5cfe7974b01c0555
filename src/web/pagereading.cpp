#include "web/pagereading.h"

#include "app/mode.h"
#include "web/addresscompletion.h"
#include "web/keywordlist.h"
#include "web/pageanalysis.h"
#include "web/pagemarkup.h"
#include "web/readeranalysis.h"
#include "web/scriptpictures.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// The image list text of one page back into its addresses (none holds a CR LF).
QStringList imageEntries(const QString &imageText)
{
    QStringList entries = imageText.split(crlf);
    entries.removeLast(); // after the final CR LF
    return entries;
}

QStringList scriptImages(const QString &pageText, const QString &firstAddress, const Mode &mode)
{
    const KeywordList keywords = KeywordList::fromImageList(mode.blockImg());
    const AddressCompletion completion(firstAddress);
    QStringList images;
    for (const QString &address : scriptPictureAddresses(readPageMarkup(pageText).scripts)) {
        const QString completed = completion.complete(address);
        if (!keywords.names(address) && !images.contains(completed))
            images.append(completed);
    }
    return images;
}

} // namespace

PageFindings ReadPage(const QString &pageText, const QString &pageAddress, const QString &firstAddress,
                      const Mode &mode, const std::function<void()> &tagsCollected)
{
    if (mode.readerPage())
        return AnalyseReaderPage(pageText, pageAddress, mode, tagsCollected);
    QString imageText;
    PageFindings findings;
    findings.candidates = AnalysePage(pageText, firstAddress, mode, imageText, tagsCollected);
    findings.images = imageEntries(imageText);
    if (findings.images.isEmpty() && mode.scriptImg())
        findings.images = scriptImages(pageText, firstAddress, mode);
    return findings;
}
