#include "fixturesite.h"

#include "loopbackserver.h"

#include <QFile>

namespace {

QByteArray siteFile(const QString &site, const QString &file)
{
    QFile in(QStringLiteral(":/sites/%1/%2").arg(site, file));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

} // namespace

bool serveFixtureSite(LoopbackServer &server, const QString &name)
{
    const QByteArray listing = siteFile(name, QStringLiteral("site.txt"));
    if (listing.isEmpty())
        return false;
    for (const QByteArray &line : listing.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.first().isEmpty() || words.first().startsWith('#'))
            continue;
        const QString path = QString::fromUtf8(words.first());
        if (words.size() == 3 && words.at(1) == "->") {
            server.setResponse(path, LoopbackResponse::redirect(words.at(2)));
            continue;
        }
        if (words.size() != 2)
            return false;
        const QByteArray body = siteFile(name, QString::fromUtf8(words.at(1)));
        if (body.isEmpty())
            return false;
        server.setResponse(path, LoopbackResponse::page(body));
    }
    return true;
}
