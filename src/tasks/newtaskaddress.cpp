#include "tasks/newtaskaddress.h"

std::optional<QString> clipboardPickUp(const QString &clipboard, const QString &box)
{
    if (clipboard.startsWith(QLatin1String("http")) && box == defaultTaskAddress())
        return clipboard;
    return std::nullopt;
}

QString completeTaskAddress(const QString &box)
{
    if (box.startsWith(QLatin1String("http://")) || box.startsWith(QLatin1String("https://")))
        return box;
    return defaultTaskAddress() + box;
}

QString ExtractTitle(const QString &page)
{
    const qsizetype open = page.indexOf(QLatin1String("<title"));
    const qsizetype close = page.indexOf(QLatin1String("</title>"));
    const qsizetype length = close - open - 7;
    if (open < 0 || close < 0 || length < 0)
        return QStringLiteral("Cannot get the title");
    return page.mid(open + 7, length);
}
