#include "app/optionfile.h"

#include "app/keyvalueline.h"
#include "app/mode.h"
#include "app/modefile.h"
#include "app/settings.h"
#include "platform/basicnumbers.h"
#include "platform/casepath.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int MaxReset = 50;

QStringList defaultOptionLines()
{
    return {QStringLiteral("Reset=5"), QStringLiteral("UsingMode=Normal"), QStringLiteral("AutoOpen=1")};
}

void applyReset(const QString &value, Settings &settings)
{
    const auto number = wholeNumber(value);
    const QString text = (!number || *number > MaxReset) ? QStringLiteral("50") : value;
    settings.setResetText(text);
    // A value that does not fit the field (say -100000) leaves the count as it was.
    if (const auto count = toInt16(wholeNumber(text).value_or(MaxReset)))
        settings.setReset(*count);
}

void applyAutoOpen(const QString &value, Settings &settings)
{
    const double rounded = roundHalfEven(leadingNumber(value));
    if (rounded == 0 || rounded == 1 || rounded == 2)
        settings.setAutoOpen(int(rounded));
}

void applyUsingMode(const QString &appFolder, const QString &value, Mode &mode, MessageBox &messages)
{
    if (LoadMode(appFolder, value, mode))
        return;
    messages.show(QStringLiteral("读取模式文件失败。程序将使用预设文件。"), applicationTitle());
    WriteDefaultMode(appFolder, mode);
}

} // namespace

QString optionFilePath(const QString &appFolder)
{
    return pathIgnoringCase(appFolder, QStringLiteral("Option.ini"));
}

QString downloadFolder(const QString &appFolder)
{
    return pathIgnoringCase(appFolder, QStringLiteral("Download"));
}

void LoadSettings(const QString &appFolder, Settings &settings, Mode &mode, MessageBox &messages)
{
    QDir().mkpath(downloadFolder(appFolder));
    WriteReaderMode(appFolder);
    const bool firstStart = !QFileInfo::exists(optionFilePath(appFolder));
    if (firstStart)
        WriteDefaultOptions(appFolder, mode);
    auto lines = readTextFile(optionFilePath(appFolder));
    // A folder we cannot write to still starts with the default options, in memory only.
    if (!lines && firstStart)
        lines = defaultOptionLines();
    if (!lines)
        return;
    for (const QString &line : *lines) {
        const auto kv = splitKeyValue(line);
        if (!kv)
            continue;
        if (kv->key == QStringLiteral("Reset"))
            applyReset(kv->value, settings);
        else if (kv->key == QStringLiteral("AutoOpen"))
            applyAutoOpen(kv->value, settings);
        else if (kv->key == QStringLiteral("UsingMode"))
            applyUsingMode(appFolder, kv->value, mode, messages);
        else if (kv->key == QStringLiteral("Proxy"))
            settings.setProxy(kv->value);
        else if (kv->key == QStringLiteral("Cookies"))
            settings.setCookiesFile(kv->value);
    }
}

void WriteDefaultOptions(const QString &appFolder, Mode &mode)
{
    writeTextFile(optionFilePath(appFolder), defaultOptionLines());
    LoadMode(appFolder, QStringLiteral("Normal"), mode);
}

FileWriteResult SaveOptions(const QString &appFolder, const Settings &settings, const Mode &mode)
{
    QStringList lines{QStringLiteral("Reset=") + settings.resetText(),
                      QStringLiteral("AutoOpen=") + QString::number(settings.autoOpen()),
                      QStringLiteral("UsingMode=") + mode.name()};
    // Written only when set, so a file without them stays as it always was; the cookies file has
    // no field in the window and must survive a save.
    if (!settings.proxy().isEmpty())
        lines.append(QStringLiteral("Proxy=") + settings.proxy());
    if (!settings.cookiesFile().isEmpty())
        lines.append(QStringLiteral("Cookies=") + settings.cookiesFile());
    return writeTextFileReporting(optionFilePath(appFolder), lines);
}
