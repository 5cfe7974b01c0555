#pragma once

#include <QByteArray>
#include <QString>

// The charset a page declares in its own text: what follows the first "charset=" (exact, with case)
// up to the next ">", without double quotes, spaces, backslashes and slashes. "GB2312" when the page
// has no "charset=", empty when no ">" follows it.
QString declaredCharset(const QByteArray &page);
