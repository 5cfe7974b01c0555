#include "controls/downbar/barpropertybag.h"

void BarPropertyBag::write(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    const qsizetype at = find(key);
    if (value == defaultValue) {
        if (at >= 0)
            m_entries.removeAt(at);
        return;
    }
    if (at >= 0)
        m_entries[at].second = value;
    else
        m_entries.append({key, value});
}

QVariant BarPropertyBag::read(const QString &key, const QVariant &defaultValue) const
{
    const qsizetype at = find(key);
    return at >= 0 ? m_entries.at(at).second : defaultValue;
}

QStringList BarPropertyBag::keys() const
{
    QStringList result;
    for (const auto &entry : m_entries)
        result.append(entry.first);
    return result;
}

qsizetype BarPropertyBag::find(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
