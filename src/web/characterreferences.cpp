#include "web/characterreferences.h"

#include <array>
#include <utility>

namespace {

// The names that turn up in addresses and link texts; the full table is not needed for either.
constexpr std::array<std::pair<std::u16string_view, char16_t>, 14> namedReferences{{
    {u"amp", u'&'},
    {u"lt", u'<'},
    {u"gt", u'>'},
    {u"quot", u'"'},
    {u"apos", u'\''},
    {u"nbsp", u'\u00A0'},
    {u"laquo", u'\u00AB'},
    {u"raquo", u'\u00BB'},
    {u"lsaquo", u'\u2039'},
    {u"rsaquo", u'\u203A'},
    {u"larr", u'\u2190'},
    {u"rarr", u'\u2192'},
    {u"hellip", u'\u2026'},
    {u"ndash", u'\u2013'},
}};

constexpr qsizetype longestReference = 10; // "&#x10FFFF;" and every name above fit

bool appendNumber(QStringView digits, int base, QString &out)
{
    bool ok = false;
    const uint code = digits.toUInt(&ok, base);
    if (!ok || digits.isEmpty())
        return false;
    // As browsers do: nothing is dropped, an impossible character reads as the replacement one.
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        out += QChar(QChar::ReplacementCharacter);
    else
        out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    return true;
}

// The reference between "&" and ";" appended to `out`; false when it is not one this knows.
bool appendReference(QStringView name, QString &out)
{
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        return appendNumber(name.mid(hex ? 2 : 1), hex ? 16 : 10, out);
    }
    for (const auto &[known, character] : namedReferences) {
        if (name == QStringView(known.data(), qsizetype(known.size()))) {
            out += QChar(character);
            return true;
        }
    }
    return false;
}

} // namespace

QString decodeCharacterReferences(QStringView text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (amp >= 0) {
        out += text.mid(from, amp - from);
        const qsizetype semicolon = text.indexOf(u';', amp + 1);
        from = amp + 1;
        if (semicolon > amp + 1 && semicolon - amp <= longestReference &&
            appendReference(text.mid(amp + 1, semicolon - amp - 1), out))
            from = semicolon + 1;
        else
            out += u'&';
        amp = text.indexOf(u'&', from);
    }
    out += text.mid(from);
    return out;
}
