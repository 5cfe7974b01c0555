#pragma once

#include <optional>
#include <QString>

struct KeyValue
{
    QString key;
    QString value;
};

// "key=value": the key is everything before the first "=", the value everything after it;
// nothing is trimmed. nullopt for a line without "=".
std::optional<KeyValue> splitKeyValue(const QString &line);
