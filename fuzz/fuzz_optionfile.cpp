// Start-up with the input as Option.ini, beside two mode files and a mode file outside the app
// folder that no name may reach.

#include "app/mode.h"
#include "app/modefile.h"
#include "app/optionfile.h"
#include "app/settings.h"
#include "fuzzcheck.h"
#include "platform/casepath.h"
#include "platform/textfile.h"
#include "scratchfolder.h"
#include "scriptedmessagebox.h"

namespace {

const QString outsideMarker = QStringLiteral("outside-the-app-folder");

// The values the input's lines give for the key, in order.
QStringList valuesOf(const QStringList &lines, const QString &key)
{
    QStringList values;
    for (const QString &line : lines) {
        if (line.startsWith(key + u'='))
            values.append(line.mid(key.size() + 1));
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    static ScratchFolder scratch;
    scratch.clear();
    const QByteArray bytes = inputBytes(data, size);
    FUZZ_CHECK(scratch.write(QStringLiteral("app/Option.ini"), bytes));
    FUZZ_CHECK(scratch.write(QStringLiteral("app/Mode/Comic.tdm"), "BlockUrl=comic\r\nDownMode=True\r\n"));
    FUZZ_CHECK(scratch.write(QStringLiteral("app/Mode/My=Mode.tdm"), "BlockImg=my\r\n"));
    FUZZ_CHECK(scratch.write(QStringLiteral("outside.tdm"), "BlockUrl=" + outsideMarker.toLatin1() + "\r\n"));
    FUZZ_CHECK(scratch.write(QStringLiteral("app/outside.tdm"), "BlockUrl=" + outsideMarker.toLatin1() + "\r\n"));

    const QString appFolder = scratch.filePath(QStringLiteral("app"));
    Settings settings;
    Mode mode;
    ScriptedMessageBox messages;
    LoadSettings(appFolder, settings, mode, messages);

    const QStringList lines = readTextFile(scratch.filePath(QStringLiteral("app/Option.ini"))).value();
    FUZZ_CHECK(settings.reset() <= 50);
    FUZZ_CHECK(settings.autoOpen() >= 0 && settings.autoOpen() <= 2);
    FUZZ_CHECK(settings.resetText() == QStringLiteral("5") || settings.resetText() == QStringLiteral("50") ||
               valuesOf(lines, QStringLiteral("Reset")).contains(settings.resetText()));
    for (const ScriptedMessageBox::Shown &shown : std::as_const(messages.shown))
        FUZZ_CHECK(shown.text == QStringLiteral("读取模式文件失败。程序将使用预设文件。"));

    // The active mode is one of the Mode folder's, never a file elsewhere.
    FUZZ_CHECK(mode.blockUrl() != outsideMarker);
    const QStringList usingModes = valuesOf(lines, QStringLiteral("UsingMode"));
    if (usingModes.isEmpty()) {
        FUZZ_CHECK(mode.name().isEmpty() && messages.shown.isEmpty());
    } else {
        FUZZ_CHECK(!findIgnoringCase(modeFolder(appFolder), mode.name() + QStringLiteral(".tdm")).isEmpty());
        FUZZ_CHECK(usingModes.contains(mode.name()) || mode.name() == QStringLiteral("Normal"));
    }

    // Nothing is written but the preset mode files.
    const QStringList expected = {QStringLiteral("app"),
                                  QStringLiteral("app/Download"),
                                  QStringLiteral("app/Mode"),
                                  QStringLiteral("app/Mode/Comic.tdm"),
                                  QStringLiteral("app/Mode/My=Mode.tdm"),
                                  QStringLiteral("app/Mode/Normal.tdm"),
                                  QStringLiteral("app/Mode/Reader.tdm"),
                                  QStringLiteral("app/Option.ini"),
                                  QStringLiteral("app/outside.tdm"),
                                  QStringLiteral("outside.tdm")};
    for (const QString &entry : scratch.entries())
        FUZZ_CHECK(expected.contains(entry));
    return 0;
}
