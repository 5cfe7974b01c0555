#include "web/pagebody.h"

#include "web/bytestotext.h"
#include "web/charsetdeclaration.h"

QString decodePageBody(const QByteArray &body)
{
    return BytesToText(body, declaredCharset(body)).value_or(QString());
}
