#include "platform/casepath.h"

#include <QDir>
#include <QFileInfo>

QString findIgnoringCase(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    }
    return {};
}

QString pathIgnoringCase(const QString &folder, const QString &name)
{
    const QString found = findIgnoringCase(folder, name);
    return found.isEmpty() ? QDir(folder).filePath(name) : found;
}
