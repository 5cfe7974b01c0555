#include "controls/button/accesskey.h"

QChar accessKeyOf(const QString &caption)
{
    if (caption.size() < 2)
        return {};
    qsizetype at = caption.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= caption.size())
        return {};
    if (caption.at(at + 1) != QLatin1Char('&'))
        return caption.at(at + 1).toLower();
    // Only this one doubled ampersand is skipped; a second pair means no key.
    at = caption.indexOf(QLatin1Char('&'), at + 2);
    if (at < 0 || at + 1 >= caption.size() || caption.at(at + 1) == QLatin1Char('&'))
        return {};
    return caption.at(at + 1).toLower();
}
