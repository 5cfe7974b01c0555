#include "platform/basicnumbers.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

int radixDigit(QChar c)
{
    const char16_t u = c.toLower().unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Digits after "&H" / "&O"; a value that fits 16 (or 32) bits reads as that signed integer.
double readRadixNumber(const QString &digits, int base)
{
    qint64 value = 0;
    int count = 0;
    for (QChar c : digits) {
        const int d = radixDigit(c);
        if (d < 0 || d >= base || ++count > 15)
            break;
        value = value * base + d;
    }
    if (value <= 0xFFFF && value > 0x7FFF)
        return double(qint16(value));
    if (value <= 0xFFFFFFFFLL && value > 0x7FFFFFFF)
        return double(qint32(value));
    return double(value);
}

// Longest prefix of `s` (blanks already removed) that reads as a decimal number; its length.
qsizetype decimalPrefixLength(const QString &s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    const qsizetype mantissaStart = i;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128)
        ++i;
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
    }
    const qsizetype mantissaLength = i - mantissaStart;
    if (mantissaLength == 0 || (mantissaLength == 1 && s[mantissaStart] == u'.'))
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128)
            ++j;
        if (j > expStart)
            i = j;
    }
    return i;
}

// nullopt when the digits overflow a double.
std::optional<double> parseDecimal(QString s)
{
    s.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

double leadingNumber(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            s.append(c);
    }
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s[1].toUpper();
        if (kind == u'H')
            return readRadixNumber(s.mid(2), 16);
        if (kind == u'O')
            return readRadixNumber(s.mid(2), 8);
    }
    const qsizetype length = decimalPrefixLength(s);
    return length == 0 ? 0.0 : parseDecimal(s.left(length)).value_or(0.0);
}

std::optional<double> wholeNumber(const QString &text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (decimalPrefixLength(s) != s.size())
        return std::nullopt;
    return parseDecimal(s);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode rounds ties to even
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(r);
}

QString numberToText(double value)
{
    if (value == 0)
        return QStringLiteral(" 0");
    QString digits = QString::number(std::fabs(value), 'g', 15);
    const qsizetype e = digits.indexOf(u'e');
    if (e >= 0) {
        // "1e+16" -> "1E+16", "1e-05" stays two-digit.
        QString mantissa = digits.left(e);
        QString exponent = digits.mid(e + 1);
        const QChar sign = exponent.at(0);
        exponent = exponent.mid(1);
        while (exponent.size() > 2 && exponent.startsWith(u'0'))
            exponent.remove(0, 1);
        if (exponent.size() < 2)
            exponent.prepend(u'0');
        digits = mantissa + u'E' + sign + exponent;
    } else if (digits.startsWith(QStringLiteral("0."))) {
        digits.remove(0, 1);
    }
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

QString formatTwoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}
