#include "web/charsetdeclaration.h"

QString declaredCharset(const QByteArray &page)
{
    // The searched strings are ASCII, so the bytes are searched directly, whatever the encoding.
    static constexpr QByteArrayView marker = "charset=";
    const qsizetype start = page.indexOf(marker);
    if (start < 0)
        return QStringLiteral("GB2312");
    const qsizetype end = page.indexOf('>', start);
    if (end < 0)
        return {};
    QByteArray name = page.mid(start + marker.size(), end - start - marker.size());
    name.replace('"', "").replace(' ', "").replace('\\', "").replace('/', "");
    return QString::fromLatin1(name);
}
