#include "web/pagemarkup.h"

#include "web/characterreferences.h"
#include "web/eventpump.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool endsName(QChar c)
{
    return isBlank(c) || c == u'/' || c == u'>';
}

// Elements whose content is text up to their end tag, never markup.
bool holdsRawText(const QString &name)
{
    return name == u"script" || name == u"style" || name == u"textarea" || name == u"title" ||
           name == u"xmp" || name == u"iframe" || name == u"noembed" || name == u"noframes";
}

struct Tag
{
    QString name;
    MarkupAttributes attributes;
    qsizetype end = 0; // just after its ">", or the page's end when it has none
    bool complete = false;
};

class MarkupReader
{
public:
    MarkupReader(QStringView page, EventPump *pump) : m_page(page), m_pump(pump) {}

    PageMarkup read()
    {
        qsizetype pos = 0;
        while (pos < m_page.size()) {
            const qsizetype open = m_page.indexOf(u'<', pos);
            if (open < 0) {
                addText(m_page.mid(pos));
                break;
            }
            addText(m_page.mid(pos, open - pos));
            pos = readMarkup(open);
            if (m_pump)
                m_pump->poll();
        }
        closeLink();
        return std::move(m_markup);
    }

private:
    qsizetype readMarkup(qsizetype open)
    {
        const QChar next = open + 1 < m_page.size() ? m_page.at(open + 1) : QChar();
        if (m_page.mid(open).startsWith(u"<!--"))
            return skipPast(u"-->", open + 4);
        if (next == u'!' || next == u'?')
            return skipPast(u">", open + 2);
        if (next == u'/' && open + 2 < m_page.size() && isLetter(m_page.at(open + 2))) {
            const Tag tag = readTag(open + 2);
            if (tag.name == u"a")
                closeLink();
            return tag.end;
        }
        if (!isLetter(next)) {
            addText(u"<");
            return open + 1;
        }
        const Tag tag = readTag(open + 1);
        if (!tag.complete)
            return tag.end;
        takeElement(tag);
        if (holdsRawText(tag.name))
            return readRawText(tag.name, tag.end);
        return tag.end;
    }

    void takeElement(const Tag &tag)
    {
        if (tag.name == u"a") {
            closeLink(); // links do not nest: a new one ends the last
            m_markup.links.append({tag.attributes, {}, true});
            m_openLink = m_markup.links.size() - 1;
        } else if (tag.name == u"img") {
            m_markup.images.append({tag.attributes, m_openLink});
        } else if (tag.name == u"link") {
            m_markup.links.append({tag.attributes, {}, false});
        } else if (tag.name == u"base" && !m_markup.baseHref) {
            m_markup.baseHref = attributeValue(tag.attributes, u"href");
        }
    }

    // The content of a raw-text element, up to its end tag (in any case).
    qsizetype readRawText(const QString &name, qsizetype from)
    {
        const QString endTag = QStringLiteral("</") + name;
        qsizetype close = from;
        for (;;) {
            close = m_page.indexOf(endTag, close, Qt::CaseInsensitive);
            if (close < 0 || close + endTag.size() >= m_page.size() || endsName(m_page.at(close + endTag.size())))
                break;
            close += endTag.size();
        }
        const qsizetype contentEnd = close < 0 ? m_page.size() : close;
        if (name == u"script")
            m_markup.scripts.append(m_page.mid(from, contentEnd - from).toString());
        return close < 0 ? m_page.size() : skipPast(u">", close);
    }

    // A tag whose name starts at `at`: its name and attributes up to its ">".
    Tag readTag(qsizetype at)
    {
        Tag tag;
        qsizetype pos = at;
        while (pos < m_page.size() && !endsName(m_page.at(pos)))
            ++pos;
        tag.name = m_page.mid(at, pos - at).toString().toLower();
        while (pos < m_page.size()) {
            const QChar c = m_page.at(pos);
            if (c == u'>') {
                tag.end = pos + 1;
                tag.complete = true;
                return tag;
            }
            if (isBlank(c) || c == u'/') {
                ++pos;
                continue;
            }
            pos = readAttribute(pos, tag.attributes);
        }
        tag.end = m_page.size();
        return tag;
    }

    qsizetype readAttribute(qsizetype pos, MarkupAttributes &attributes)
    {
        const qsizetype nameStart = pos;
        ++pos; // a name may begin with "="
        while (pos < m_page.size() && !endsName(m_page.at(pos)) && m_page.at(pos) != u'=')
            ++pos;
        const QString name = m_page.mid(nameStart, pos - nameStart).toString().toLower();
        qsizetype afterName = pos;
        while (afterName < m_page.size() && isBlank(m_page.at(afterName)))
            ++afterName;
        QStringView value;
        if (afterName < m_page.size() && m_page.at(afterName) == u'=') {
            pos = afterName + 1;
            while (pos < m_page.size() && isBlank(m_page.at(pos)))
                ++pos;
            const QChar quote = pos < m_page.size() ? m_page.at(pos) : QChar();
            if (quote == u'"' || quote == u'\'') {
                const qsizetype close = m_page.indexOf(quote, pos + 1);
                const qsizetype end = close < 0 ? m_page.size() : close;
                value = m_page.mid(pos + 1, end - pos - 1);
                pos = close < 0 ? end : close + 1;
            } else {
                const qsizetype start = pos;
                while (pos < m_page.size() && !isBlank(m_page.at(pos)) && m_page.at(pos) != u'>')
                    ++pos;
                value = m_page.mid(start, pos - start);
            }
        }
        // The first of two attributes with one name counts, as in a browser.
        if (!attributeValue(attributes, name))
            attributes.append({name, decodeCharacterReferences(value)});
        return pos;
    }

    qsizetype skipPast(QStringView text, qsizetype from) const
    {
        const qsizetype found = m_page.indexOf(text, from);
        return found < 0 ? m_page.size() : found + text.size();
    }

    void addText(QStringView text)
    {
        if (m_openLink >= 0 && !text.isEmpty())
            m_linkText += text;
    }

    void closeLink()
    {
        if (m_openLink < 0)
            return;
        m_markup.links[m_openLink].text = decodeCharacterReferences(m_linkText).simplified();
        m_linkText.clear();
        m_openLink = -1;
    }

    QStringView m_page;
    EventPump *m_pump;
    PageMarkup m_markup;
    qsizetype m_openLink = -1;
    QString m_linkText;
};

} // namespace

std::optional<QString> attributeValue(const MarkupAttributes &attributes, QStringView name)
{
    for (const MarkupAttribute &attribute : attributes) {
        if (attribute.name == name)
            return attribute.value;
    }
    return std::nullopt;
}

PageMarkup readPageMarkup(QStringView page, EventPump *pump)
{
    return MarkupReader(page, pump).read();
}
