#include "platform/narrowcodepage.h"

#include "platform/icuconverter.h"

namespace {
// ICU's name for Windows code page 936 (GBK with the euro sign at 0x80).
constexpr const char *NarrowConverter = "windows-936-2000";
} // namespace

QString decodeNarrow(const QByteArray &bytes)
{
    return icuDecode(bytes, NarrowConverter).value_or(QString::fromLatin1(bytes));
}

QByteArray encodeNarrow(const QString &text)
{
    return icuEncode(text, NarrowConverter).value_or(text.toLatin1());
}
