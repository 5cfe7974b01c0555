#include "controls/button/propertybag.h"

PropertyBag::PropertyBag(std::initializer_list<Entry> entries)
{
    for (const Entry &entry : entries)
        WriteProperty(entry.first, entry.second);
}

QVariant PropertyBag::ReadProperty(const QString &key, const QVariant &defaultValue) const
{
    const qsizetype index = indexOf(key);
    return index < 0 ? defaultValue : m_entries.at(index).second;
}

void PropertyBag::WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    const qsizetype index = indexOf(key);
    if (defaultValue.isValid() && value == defaultValue) {
        if (index >= 0)
            m_entries.removeAt(index);
        return;
    }
    if (index >= 0)
        m_entries[index].second = value;
    else
        m_entries.append({key, value});
}

bool PropertyBag::contains(const QString &key) const
{
    return indexOf(key) >= 0;
}

QStringList PropertyBag::keys() const
{
    QStringList keys;
    for (const Entry &entry : m_entries)
        keys.append(entry.first);
    return keys;
}

qsizetype PropertyBag::indexOf(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
