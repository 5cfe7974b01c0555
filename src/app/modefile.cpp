#include "app/modefile.h"

#include "app/keyvalueline.h"
#include "app/mode.h"
#include "platform/basicnumbers.h"
#include "platform/casepath.h"
#include "platform/textfile.h"

#include <QDir>

namespace {

const QString ModeExtension = QStringLiteral(".tdm");

bool readFlag(const QString &value)
{
    return value == QStringLiteral("True") || leadingNumber(value) != 0;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

// A mode name comes from Option.ini or the user; it must never reach outside the Mode folder.
bool isPlainFileName(const QString &name)
{
    return !name.contains(u'/') && !name.contains(QChar(0)) && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

// The reader's switches are off unless the file names them, so every mode file made before them
// reads as it always did, whichever mode was active before.
void clearReaderSwitches(Mode &mode)
{
    mode.setReaderPage(false);
    mode.setScriptImg(false);
    mode.setChapterEnd(false);
}

void applyModeLine(const QString &line, Mode &mode)
{
    const auto kv = splitKeyValue(line);
    if (!kv)
        return;
    if (kv->key == QStringLiteral("BlockUrl"))
        mode.setBlockUrl(kv->value);
    else if (kv->key == QStringLiteral("BlockImg"))
        mode.setBlockImg(kv->value);
    else if (kv->key == QStringLiteral("SearchKW"))
        mode.setSearchKW(kv->value);
    else if (kv->key == QStringLiteral("KWUsing"))
        mode.setKWUsing(readFlag(kv->value));
    else if (kv->key == QStringLiteral("DownMode"))
        mode.setDownMode(readFlag(kv->value));
    else if (kv->key == QStringLiteral("ReaderPage"))
        mode.setReaderPage(readFlag(kv->value));
    else if (kv->key == QStringLiteral("ScriptImg"))
        mode.setScriptImg(readFlag(kv->value));
    else if (kv->key == QStringLiteral("ChapterEnd"))
        mode.setChapterEnd(readFlag(kv->value));
}

// A switch is written only when on, so a mode that uses none of them is saved as it always was.
void appendSwitch(QStringList &lines, const QString &key, bool on)
{
    if (on)
        lines.append(key + QStringLiteral("=True"));
}

} // namespace

QString modeFolder(const QString &appFolder)
{
    return pathIgnoringCase(appFolder, QStringLiteral("Mode"));
}

bool LoadMode(const QString &appFolder, const QString &name, Mode &mode)
{
    if (!isPlainFileName(name))
        return false;
    const QString path = findIgnoringCase(modeFolder(appFolder), name + ModeExtension);
    if (path.isEmpty())
        return false;
    const auto lines = readTextFile(path);
    if (!lines)
        return false;
    clearReaderSwitches(mode);
    for (const QString &line : *lines)
        applyModeLine(line, mode);
    mode.setName(name);
    return true;
}

void WriteDefaultMode(const QString &appFolder, Mode &mode)
{
    const QString folder = modeFolder(appFolder);
    QDir().mkpath(folder);
    const QStringList preset = {QStringLiteral("BlockUrl=javascript,void,download,class=,src="),
                                QStringLiteral("BlockImg=logo,bar,icons,shadow,avatars"),
                                QStringLiteral("SearchKW="), QStringLiteral("KWUsing=0"),
                                QStringLiteral("DownMode=0")};
    writeTextFile(pathIgnoringCase(folder, QStringLiteral("Normal") + ModeExtension), preset);
    if (LoadMode(appFolder, QStringLiteral("Normal"), mode))
        return;
    // The file could not be written (read-only folder): the preset is still in force, in memory.
    for (const QString &line : preset)
        applyModeLine(line, mode);
    mode.setName(QStringLiteral("Normal"));
}

FileWriteResult SaveMode(const QString &appFolder, const QString &name, const Mode &mode)
{
    if (!isPlainFileName(name) || name.isEmpty())
        return FileWriteResult::failed(QStringLiteral("Invalid file name"));
    const QString folder = modeFolder(appFolder);
    QDir().mkpath(folder);
    QStringList lines{QStringLiteral("BlockUrl=") + mode.blockUrl(), QStringLiteral("BlockImg=") + mode.blockImg(),
                      QStringLiteral("SearchKW=") + mode.searchKW(),
                      QStringLiteral("KWUsing=") + flagText(mode.kwUsing()),
                      QStringLiteral("DownMode=") + flagText(mode.downMode())};
    appendSwitch(lines, QStringLiteral("ReaderPage"), mode.readerPage());
    appendSwitch(lines, QStringLiteral("ScriptImg"), mode.scriptImg());
    appendSwitch(lines, QStringLiteral("ChapterEnd"), mode.chapterEnd());
    return writeTextFileReporting(pathIgnoringCase(folder, name + ModeExtension), lines);
}

void WriteReaderMode(const QString &appFolder)
{
    const QString folder = modeFolder(appFolder);
    if (!findIgnoringCase(folder, QStringLiteral("Reader") + ModeExtension).isEmpty())
        return;
    QDir().mkpath(folder);
    // The preset lists, and also advertisement links and pictures, and the pictures that stand in
    // for a comic image until a script replaces them.
    writeTextFile(pathIgnoringCase(folder, QStringLiteral("Reader") + ModeExtension),
                  {QStringLiteral("BlockUrl=javascript,void,download,class=,src=,/ads/,//ads.,adserver,advert,"
                                  "doubleclick,sponsor"),
                   QStringLiteral("BlockImg=logo,bar,icons,shadow,avatars,gravatar,emoji,/ads/,//ads.,adserver,"
                                  "advert,doubleclick,sponsor,banner,loading,spinner,placeholder,blank.,lazy.,"
                                  "pixel.,grey.,transparent.,1x1."),
                   QStringLiteral("SearchKW="), QStringLiteral("KWUsing=0"), QStringLiteral("DownMode=0"),
                   QStringLiteral("ReaderPage=1"), QStringLiteral("ScriptImg=1"), QStringLiteral("ChapterEnd=1")});
}
