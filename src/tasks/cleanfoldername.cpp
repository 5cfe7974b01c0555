#include "tasks/cleanfoldername.h"

#include <algorithm>

QString CleanFolderName(const QString &title)
{
    QString name = title;
    name.replace(QLatin1Char('?'), QLatin1Char('-'));
    for (const QChar removed : QStringLiteral("<>*:\"/\\"))
        name.remove(removed);
    // Never between the two halves of a character beyond the BMP: half of one names no file.
    if (name.size() > 50)
        name.truncate(name.at(46).isHighSurrogate() ? 46 : 47);
    if (!name.isEmpty() && std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c == u'.'; }))
        name.fill(QLatin1Char('-'));
    return name;
}
