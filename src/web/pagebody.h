#pragma once

#include <QByteArray>
#include <QString>

// The text of a page's bytes, fetched or saved: decoded by the charset the page declares in its own
// text ("GB2312" when it declares none); empty when that charset is unknown.
QString decodePageBody(const QByteArray &body);
