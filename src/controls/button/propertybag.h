#pragma once

#include <initializer_list>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

// The stored properties of a control, as a window definition keeps them: keys are matched without
// regard to letter case, and a value equal to its default is not written at all.
class PropertyBag
{
public:
    using Entry = std::pair<QString, QVariant>;

    PropertyBag() = default;
    PropertyBag(std::initializer_list<Entry> entries);

    // The stored value, or defaultValue when the key is missing.
    QVariant ReadProperty(const QString &key, const QVariant &defaultValue = {}) const;
    // Stores the value under key (replacing an entry of the same key in any case); a value equal
    // to defaultValue removes the key instead.
    void WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue = {});

    bool contains(const QString &key) const;
    // The keys as they were written, in the order they were first written.
    QStringList keys() const;
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    qsizetype indexOf(const QString &key) const;

    QList<Entry> m_entries;
};
