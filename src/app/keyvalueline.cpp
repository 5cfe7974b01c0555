#include "app/keyvalueline.h"

std::optional<KeyValue> splitKeyValue(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return KeyValue{line.left(eq), line.mid(eq + 1)};
}
