#include "tasks/imagefilename.h"

#include <QStringList>

QString imageFileName(qint32 index, qint32 count, const QString &address)
{
    const int digits = int(QString::number(count).size());
    QString name = QStringLiteral("%1").arg(index + 1, digits, 10, QLatin1Char('0'));
    const qsizetype dot = address.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString extension = address.mid(dot);
        if (!extension.contains(QLatin1Char('/')))
            name += extension;
    }
    return name;
}

QStringList imageAddresses(const QString &listText)
{
    QStringList pieces = listText.split(QStringLiteral("\r\n"));
    // The piece after the final CR LF is empty; without a final CR LF it is the last address.
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

QStringList imageFileNames(const QStringList &addresses)
{
    QStringList names;
    const qint32 count = qint32(addresses.size());
    names.reserve(count);
    for (qint32 k = 0; k < count; ++k)
        names.append(imageFileName(k, count, addresses.at(k)));
    return names;
}
