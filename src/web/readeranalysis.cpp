#include "web/readeranalysis.h"

#include "app/mode.h"
#include "web/eventpump.h"
#include "web/keywordlist.h"
#include "web/nextpagelinks.h"
#include "web/pagemarkup.h"
#include "web/readeraddress.h"
#include "web/scriptpictures.h"
#include "web/srcset.h"

#include <array>
#include <QSet>

namespace {

// Where lazy-loading scripts keep the real address while src shows a placeholder.
constexpr std::array<QStringView, 4> lazyAttributes{u"data-src", u"data-original", u"data-lazy-src", u"data-echo"};

bool isDataAddress(const QString &address)
{
    return address.startsWith(QStringLiteral("data:"), Qt::CaseInsensitive);
}

QString imageAddress(const MarkupAttributes &attributes)
{
    for (const QStringView name : lazyAttributes) {
        if (const auto value = attributeValue(attributes, name)) {
            const QString address = cleanAddress(*value);
            if (!address.isEmpty())
                return address;
        }
    }
    // The largest picture a srcset offers is the one to keep; a data: value there is a placeholder
    // that leaves src its say.
    for (const QStringView name : {u"data-srcset", u"srcset"}) {
        if (const auto value = attributeValue(attributes, name)) {
            const QString address = cleanAddress(largestSrcsetCandidate(*value));
            if (!address.isEmpty() && !isDataAddress(address))
                return address;
        }
    }
    return cleanAddress(attributeValue(attributes, u"src").value_or(QString()));
}

bool isPlaceholder(const QString &address, const KeywordList &imageKeywords)
{
    return address.isEmpty() || isDataAddress(address) || imageKeywords.names(address);
}

QUrl pageBase(const QString &pageAddress, const PageMarkup &markup)
{
    const QUrl page(pageAddress);
    if (!markup.baseHref)
        return page;
    const QUrl base = resolveAddress(page, cleanAddress(*markup.baseHref));
    return base.isValid() ? base : page;
}

// A decoration says so in its class or id ("site-logo", "avatar") as often as in its address. The
// other attributes are left alone: alt="loading" and loading="lazy" stand on real comic images.
bool isDecoration(const MarkupAttributes &attributes, const KeywordList &imageKeywords)
{
    for (const QStringView name : {u"class", u"id"}) {
        if (const auto value = attributeValue(attributes, name); value && imageKeywords.names(*value))
            return true;
    }
    return false;
}

// Collects the page's images, each once, resolved against the base.
class ImageCollector
{
public:
    ImageCollector(const QUrl &base, KeywordList keywords) : m_base(base), m_keywords(std::move(keywords)) {}

    // False when the image is a placeholder or a decoration, or its address no web address.
    bool take(const MarkupAttributes &attributes)
    {
        return !isDecoration(attributes, m_keywords) && take(imageAddress(attributes));
    }
    bool take(const QString &address)
    {
        if (isPlaceholder(address, m_keywords))
            return false;
        const QUrl resolved = resolveAddress(m_base, address);
        if (!resolved.isValid())
            return false;
        const QString text = addressText(resolved);
        if (!m_seen.contains(text)) {
            m_seen.insert(text);
            m_images.append(text);
        }
        return true;
    }

    QStringList images() const { return m_images; }

private:
    QUrl m_base;
    KeywordList m_keywords;
    QSet<QString> m_seen;
    QStringList m_images;
};

} // namespace

PageFindings AnalyseReaderPage(const QString &pageText, const QString &pageAddress, const Mode &mode,
                               const std::function<void()> &tagsCollected)
{
    EventPump pump;
    const PageMarkup markup = readPageMarkup(pageText, &pump);
    if (tagsCollected)
        tagsCollected();

    const QUrl base = pageBase(pageAddress, markup);
    ImageCollector collector(base, KeywordList::fromImageList(mode.blockImg()));
    QList<qsizetype> imageLinks;
    for (const MarkupImage &image : markup.images) {
        if (collector.take(image.attributes) && image.link >= 0)
            imageLinks.append(image.link);
    }
    if (collector.images().isEmpty() && mode.scriptImg()) {
        for (const QString &address : scriptPictureAddresses(markup.scripts))
            collector.take(address);
    }

    const NextPageLinks links(base, pageAddress, KeywordList::fromLinkList(mode.blockUrl()));
    return {collector.images(), links.candidates(markup, imageLinks)};
}
