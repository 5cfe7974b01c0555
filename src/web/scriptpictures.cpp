#include "web/scriptpictures.h"

#include "web/readeraddress.h"

#include <QSet>

namespace {

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'' || c == u'`';
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// "\uXXXX" at `at` (just after the backslash, on the "u"): the code unit, or -1.
int unicodeEscape(QStringView text, qsizetype at)
{
    if (text.size() - at < 5)
        return -1;
    int unit = 0;
    for (qsizetype i = at + 1; i < at + 5; ++i) {
        const int digit = hexValue(text.at(i));
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

// The string literal whose opening quote is at `open`, its escapes undone; `end` is set just past
// its closing quote. A literal never runs over a line break: one that does is no string.
bool readLiteral(QStringView text, qsizetype open, QString &literal, qsizetype &end)
{
    const QChar quote = text.at(open);
    literal.clear();
    for (qsizetype pos = open + 1; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == quote) {
            end = pos + 1;
            return true;
        }
        if ((c == u'\n' || c == u'\r') && quote != u'`') {
            end = pos;
            return false;
        }
        if (c != u'\\' || pos + 1 >= text.size()) {
            literal += c;
            continue;
        }
        const QChar escaped = text.at(++pos);
        if (escaped == u'u') {
            const int unit = unicodeEscape(text, pos);
            if (unit >= 0) {
                literal += QChar(char16_t(unit));
                pos += 4;
                continue;
            }
        }
        literal += escaped; // "\/", "\"", "\\" and the rest stand for the character itself
    }
    end = text.size();
    return false;
}

} // namespace

QStringList scriptPictureAddresses(const QStringList &scripts)
{
    QStringList addresses;
    QSet<QString> seen;
    QString literal;
    for (const QString &script : scripts) {
        const QStringView text(script);
        qsizetype pos = 0;
        while (pos < text.size()) {
            if (!isQuote(text.at(pos))) {
                ++pos;
                continue;
            }
            qsizetype end = pos + 1;
            const bool whole = readLiteral(text, pos, literal, end);
            pos = end;
            if (!whole)
                continue;
            const QString address = cleanAddress(literal);
            if (namesPicture(address) && !address.contains(u' ') && !seen.contains(address)) {
                seen.insert(address);
                addresses.append(address);
            }
        }
    }
    return addresses;
}
