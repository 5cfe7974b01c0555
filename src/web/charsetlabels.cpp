#include "web/charsetlabels.h"

#include "web/encodinglabeltable.h"

#include <algorithm>
#include <cstring>

namespace {

bool isAsciiWhitespace(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r' || c == u' ';
}

// Only ASCII letters fold: a label with any other character never matches the (ASCII) table.
std::optional<QByteArray> asciiLower(QStringView text)
{
    QByteArray lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x7F)
            return std::nullopt;
        lower[i] = char(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
    }
    return lower;
}

QStringView stripAsciiWhitespace(QStringView text)
{
    while (!text.isEmpty() && isAsciiWhitespace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isAsciiWhitespace(text.back()))
        text.chop(1);
    return text;
}

} // namespace

std::optional<KnownLabel> lookUpLabel(const QString &label)
{
    const std::optional<QByteArray> key = asciiLower(stripAsciiWhitespace(label));
    if (!key)
        return std::nullopt;
    const std::span<const EncodingLabel> table = encodingLabels();
    const auto found = std::lower_bound(table.begin(), table.end(), *key,
                                        [](const EncodingLabel &entry, const QByteArray &wanted) {
                                            return std::strcmp(entry.label, wanted.constData()) < 0;
                                        });
    if (found == table.end() || *key != found->label)
        return std::nullopt;
    return KnownLabel{*key, found->encoding};
}
