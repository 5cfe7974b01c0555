#include "app/mode.h"
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "web/pagereading.h"
#include "web/pagebody.h"

#include <cstdio>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

bool isWebAddress(const QString &text)
{
    return text.startsWith(QLatin1String("http://")) || text.startsWith(QLatin1String("https://"));
}

// A saved page reads as a fetched one: by the charset it declares.
std::optional<QString> readPage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodePageBody(file.readAll());
}

void print(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int runAnalyse(CliSession &session)
{
    const CliOptions &options = session.options;
    const bool fromWeb = isWebAddress(options.page);
    const QString firstAddress = options.firstAddress.isEmpty() && fromWeb ? options.page : options.firstAddress;
    if (firstAddress.isEmpty()) {
        session.output.line(QStringLiteral("tavrin: analyse FILE needs --first-address URL"));
        return ExitStatus::usage;
    }
    std::optional<QString> text;
    QString pageAddress = firstAddress;
    if (fromWeb) {
        const FetchedPage fetched = session.fetcher.FetchPageAndAddress(options.page);
        text = fetched.text;
        pageAddress = fetched.address;
        if (text->isEmpty()) {
            session.output.line(QStringLiteral("tavrin: %1 could not be fetched").arg(options.page));
            return ExitStatus::failed;
        }
    } else {
        text = readPage(options.page);
        if (!text) {
            session.output.line(QStringLiteral("tavrin: %1 cannot be read").arg(options.page));
            return ExitStatus::usage;
        }
    }
    // Read as the walk reads it, by the mode in force (the reader's reading in the Reader mode).
    const PageFindings findings = ReadPage(*text, pageAddress, firstAddress, session.mode);
    const QStringList &images = findings.images;
    const QStringList &candidates = findings.candidates;

    if (options.json) {
        const QJsonObject result{{QStringLiteral("images"), QJsonArray::fromStringList(images)},
                                 {QStringLiteral("candidates"), QJsonArray::fromStringList(candidates)}};
        print(QJsonDocument(result).toJson(QJsonDocument::Compact) + '\n');
    } else {
        QByteArray out;
        for (const QString &line : images + candidates)
            out += line.toUtf8() + '\n';
        print(out);
    }
    return ExitStatus::ok;
}
