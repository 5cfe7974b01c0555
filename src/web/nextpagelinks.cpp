#include "web/nextpagelinks.h"

#include "web/readeraddress.h"

#include <array>
#include <utility>

namespace {

// Lower-case words that links use for the next page, for another chapter and for a page: a link
// that speaks of a chapter leads to another chapter unless the same words speak of a page too
// ("第1话 第2页").
constexpr std::array<QStringView, 10> nextWords{u"next",   u"下一页", u"下页", u"下一张", u"下一頁",
                                                u"下頁",   u"下一張", u"次へ", u"次のページ", u"다음"};
constexpr std::array<QStringView, 6> chapterWords{u"chapter", u"episode", u"话", u"話", u"章", u"回"};
constexpr std::array<QStringView, 5> pageWords{u"page", u"页", u"頁", u"张", u"張"};

template <std::size_t N> bool mentions(const QString &lowerText, const std::array<QStringView, N> &words)
{
    for (const QStringView word : words) {
        if (lowerText.contains(word))
            return true;
    }
    return false;
}

// Each thing a link says of itself, in lower case.
QStringList sayings(const MarkupLink &link)
{
    QStringList said;
    if (!link.text.isEmpty())
        said.append(link.text.toLower());
    for (const QStringView name : {u"title", u"aria-label", u"class", u"id"}) {
        if (const auto value = attributeValue(link.attributes, name); value && !value->isEmpty())
            said.append(value->toLower());
    }
    return said;
}

bool isJavascript(const QString &address)
{
    return address.startsWith(QStringLiteral("javascript:"), Qt::CaseInsensitive);
}

} // namespace

NextPageLinks::NextPageLinks(const QUrl &base, const QString &pageAddress, KeywordList linkKeywords)
    : m_base(base), m_pageKey(addressKey(pageAddress)), m_linkKeywords(std::move(linkKeywords))
{
}

QStringList NextPageLinks::candidates(const PageMarkup &markup, const QList<qsizetype> &imageLinks) const
{
    QStringList found;
    QSet<QString> seen;
    for (const qsizetype link : imageLinks)
        add(markup.links.at(link), found, seen);
    if (!found.isEmpty())
        return found;
    for (const MarkupLink &link : markup.links) {
        if (isRelNext(link))
            add(link, found, seen);
    }
    if (!found.isEmpty())
        return found;
    for (const MarkupLink &link : markup.links) {
        if (link.anchor && saysNextPage(link))
            add(link, found, seen);
    }
    return found;
}

void NextPageLinks::add(const MarkupLink &link, QStringList &found, QSet<QString> &seen) const
{
    const std::optional<QString> next = nextPage(link);
    if (!next || seen.contains(*next))
        return;
    seen.insert(*next);
    found.append(*next);
}

std::optional<QString> NextPageLinks::nextPage(const MarkupLink &link) const
{
    const std::optional<QString> href = attributeValue(link.attributes, u"href");
    if (!href)
        return std::nullopt;
    const QString written = cleanAddress(*href);
    if (written.isEmpty() || written.startsWith(u'#') || isJavascript(written) ||
        m_linkKeywords.names(written) || saysOtherChapter(link))
        return std::nullopt;
    const QUrl resolved = resolveAddress(m_base, written);
    if (!resolved.isValid() || namesPicture(resolved.path()))
        return std::nullopt;
    const QString text = addressText(resolved);
    if (addressKey(text) == m_pageKey)
        return std::nullopt;
    return text;
}

bool NextPageLinks::saysNextPage(const MarkupLink &link)
{
    for (const QString &said : sayings(link)) {
        if (mentions(said, nextWords))
            return true;
    }
    return false;
}

bool NextPageLinks::saysOtherChapter(const MarkupLink &link)
{
    for (const QString &said : sayings(link)) {
        if (mentions(said, chapterWords) && !mentions(said, pageWords))
            return true;
    }
    return false;
}

bool NextPageLinks::isRelNext(const MarkupLink &link)
{
    const std::optional<QString> rel = attributeValue(link.attributes, u"rel");
    return rel && rel->simplified().toLower().split(u' ').contains(QStringLiteral("next"));
}
