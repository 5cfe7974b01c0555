#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The stored settings of a bar: values by key, keys compared without regard to case, kept in the
// order they were written. A value equal to its default is not written.
class BarPropertyBag final
{
public:
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue);
    QVariant read(const QString &key, const QVariant &defaultValue) const;
    bool contains(const QString &key) const { return find(key) >= 0; }
    QStringList keys() const;

private:
    qsizetype find(const QString &key) const;

    QList<std::pair<QString, QVariant>> m_entries;
};
