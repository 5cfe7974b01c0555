#include "app/mode.h"
#include "app/modefile.h"
#include "app/modefilelist.h"
#include "app/optionfile.h"
#include "app/settings.h"
#include "app/settingsactions.h"
#include "filesizelimit.h"
#include "recordinglauncher.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(MessageBox::Answer)

namespace {

const QByteArray PresetBytes = "BlockUrl=javascript,void,download,class=,src=\r\n"
                               "BlockImg=logo,bar,icons,shadow,avatars\r\n"
                               "SearchKW=\r\nKWUsing=0\r\nDownMode=0\r\n";
const QString ErrorStart = QStringLiteral("发生了一个错误!");

// The file list in memory: the entry the user selected, and how often it was re-read.
class FakeModeFileList final : public ModeFileList
{
public:
    QString listedFolder;
    QString selected;
    int refreshes = 0;

    QString folder() const override { return listedFolder; }
    QString selectedEntry() const override { return selected; }
    void refresh() override { ++refreshes; }
};

// An app folder after a first start (preset mode active), with the settings window's collaborators.
struct SettingsWindowParts
{
    QTemporaryDir dir;
    Settings settings;
    Mode mode;
    FakeModeFileList files;
    ScriptedMessageBox messages;
    ScriptedInputBox input;
    RecordingLauncher launcher;
    SettingsActions actions{dir.path(), settings, mode, files, messages, input, launcher};

    SettingsWindowParts()
    {
        ScriptedMessageBox startMessages;
        LoadSettings(dir.path(), settings, mode, startMessages);
        files.listedFolder = modeFolder(dir.path());
    }
    QString modePath(const QString &entry) const { return dir.filePath(QStringLiteral("Mode/") + entry); }
    QStringList modeEntries() const
    {
        return QDir(dir.filePath(QStringLiteral("Mode"))).entryList(QDir::Files, QDir::Name);
    }
    QStringList texts() const
    {
        QStringList all;
        for (const auto &shown : messages.shown)
            all.append(shown.text);
        return all;
    }
};

void setFields(Mode &mode, bool flags)
{
    mode.setBlockUrl(QStringLiteral("next,prev"));
    mode.setBlockImg(QStringLiteral("ad"));
    mode.setSearchKW(QStringLiteral("comic"));
    mode.setKWUsing(flags);
    mode.setDownMode(flags);
}

} // namespace

class TestSettingsActions final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A retry count typed as "abc" is saved as typed and becomes 50 at the next start.
    void retryCountRoundTrip()
    {
        SettingsWindowParts s;
        s.settings.setResetText(QStringLiteral("abc"));
        s.settings.setAutoOpen(0);
        QVERIFY(s.actions.saveSettings());
        QCOMPARE(readBytes(s.dir.filePath(QStringLiteral("Option.ini"))),
                 QByteArray("Reset=abc\r\nAutoOpen=0\r\nUsingMode=Normal\r\n"));
        QCOMPARE(s.messages.shown.size(), 1);
        QCOMPARE(s.messages.shown[0].text, QStringLiteral("设置已经成功保存!"));
        QCOMPARE(s.messages.shown[0].title, QStringLiteral("Tavrin漫画下载器"));
        QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Information);
        QCOMPARE(s.messages.shown[0].buttons, MessageBox::Buttons::Ok);

        Settings next;
        Mode nextMode;
        ScriptedMessageBox nextMessages;
        LoadSettings(s.dir.path(), next, nextMode, nextMessages);
        QCOMPARE(next.reset(), qint16(50));
        QCOMPARE(next.resetText(), QStringLiteral("50"));
        QCOMPARE(next.autoOpen(), 0);
        QVERIFY(nextMessages.shown.isEmpty());
    }

    // Option4 and Option2 saved by Update read back as on when the mode is loaded again.
    void updateThenLoadKeepsFlags_data()
    {
        QTest::addColumn<bool>("flags");
        QTest::newRow("both on") << true;
        QTest::newRow("both off") << false;
    }
    void updateThenLoadKeepsFlags()
    {
        QFETCH(bool, flags);
        SettingsWindowParts s;
        QVERIFY(SaveMode(s.dir.path(), QStringLiteral("Site"), s.mode));
        QVERIFY(LoadMode(s.dir.path(), QStringLiteral("Site"), s.mode));
        setFields(s.mode, flags);
        s.actions.updateMode();
        const QByteArray flagText = flags ? "True" : "False";
        QCOMPARE(readBytes(s.modePath(QStringLiteral("Site.tdm"))),
                 "BlockUrl=next,prev\r\nBlockImg=ad\r\nSearchKW=comic\r\nKWUsing=" + flagText +
                     "\r\nDownMode=" + flagText + "\r\n");
        QCOMPARE(s.texts(), QStringList{QStringLiteral("模式已经成功更新!")});
        QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Information);

        s.mode.setKWUsing(!flags);
        s.mode.setDownMode(!flags);
        s.mode.setBlockImg(QStringLiteral("unsaved"));
        s.files.selected = QStringLiteral("Site.tdm");
        s.actions.loadSelectedMode();
        QCOMPARE(s.mode.kwUsing(), flags);
        QCOMPARE(s.mode.downMode(), flags);
        QCOMPARE(s.mode.blockImg(), QStringLiteral("ad"));
        QCOMPARE(s.mode.name(), QStringLiteral("Site"));
        QCOMPARE(s.messages.shown.size(), 1);
    }

    void load_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("loads");
        QTest::newRow("nothing selected") << QString() << false;
        QTest::newRow("file gone meanwhile") << QStringLiteral("Gone.tdm") << false;
        QTest::newRow("mode file") << QStringLiteral("Site.tdm") << true;
        QTest::newRow("extension in capitals") << QStringLiteral("Caps.TDM") << true;
        QTest::newRow("dots in the name") << QStringLiteral("v1.2.tdm") << true;
    }
    void load()
    {
        QFETCH(QString, selected);
        QFETCH(bool, loads);
        SettingsWindowParts s;
        for (const char *entry : {"Site.tdm", "Caps.TDM", "v1.2.tdm"})
            QVERIFY(writeBytes(s.modePath(QString::fromLatin1(entry)), "BlockImg=loaded\r\n"));
        s.files.selected = selected;
        s.actions.loadSelectedMode();
        if (loads) {
            QVERIFY(s.messages.shown.isEmpty());
            QCOMPARE(s.mode.blockImg(), QStringLiteral("loaded"));
            QCOMPARE(s.mode.name(), selected.left(selected.lastIndexOf(u'.')));
        } else {
            QCOMPARE(s.texts(), QStringList{QStringLiteral("指定的模式文件读入失败!")});
            QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Critical);
            QCOMPARE(s.mode.name(), QStringLiteral("Normal"));
            QCOMPARE(s.mode.blockImg(), QStringLiteral("logo,bar,icons,shadow,avatars"));
        }
        // Loading never touches the option file: the next start still uses Normal.
        QCOMPARE(readBytes(s.dir.filePath(QStringLiteral("Option.ini"))),
                 QByteArray("Reset=5\r\nUsingMode=Normal\r\nAutoOpen=1\r\n"));
    }

    void saveAsNameCheck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("colon") << QStringLiteral("a:b") << false;
        QTest::newRow("leading blank") << QStringLiteral(" abc") << false;
        QTest::newRow("trailing blank") << QStringLiteral("abc ") << false;
        QTest::newRow("question mark, though What- would do") << QStringLiteral("What?") << false;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("angle brackets") << QStringLiteral("<x>") << false;
        QTest::newRow("star") << QStringLiteral("x*") << false;
        QTest::newRow("double quote") << QStringLiteral("\"q\"") << false;
        QTest::newRow("plain") << QStringLiteral("abc") << true;
        QTest::newRow("inner blank, Chinese") << QStringLiteral("漫画 站") << true;
        QTest::newRow("default answer") << QStringLiteral("Here") << true;
    }
    void saveAsNameCheck()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        SettingsWindowParts s;
        setFields(s.mode, true);
        s.input.answers = {name};
        s.actions.saveModeAs();

        QCOMPARE(s.input.asked.size(), 1);
        QCOMPARE(s.input.asked[0].prompt, QStringLiteral("请输入另存为的模式的名称!"));
        QCOMPARE(s.input.asked[0].title, QStringLiteral("输入"));
        QCOMPARE(s.input.asked[0].defaultText, QStringLiteral("Here"));
        QCOMPARE(s.messages.shown.size(), 1);
        QCOMPARE(s.mode.name(), QStringLiteral("Normal"));
        if (!accepted) {
            QCOMPARE(s.messages.shown[0].text, QStringLiteral("您输入了一个不合法的模式名称!"));
            QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Critical);
            QCOMPARE(s.modeEntries(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));
            QCOMPARE(s.files.refreshes, 0);
            return;
        }
        QCOMPARE(s.messages.shown[0].text, QStringLiteral("模式已经成功保存!"));
        QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Information);
        QCOMPARE(
            readBytes(s.modePath(name + QStringLiteral(".tdm"))),
            QByteArray(
                "BlockUrl=next,prev\r\nBlockImg=ad\r\nSearchKW=comic\r\nKWUsing=True\r\nDownMode=True\r\n"));
        QCOMPARE(s.files.refreshes, 1);
    }

    void saveAsCancelled()
    {
        SettingsWindowParts s;
        s.actions.saveModeAs();
        QCOMPARE(s.input.asked.size(), 1);
        QVERIFY(s.messages.shown.isEmpty());
        QCOMPARE(s.modeEntries(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));
    }

    void saveAsReplaceQuestion_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("No keeps the file") << QStringLiteral("abc.tdm") << MessageBox::Answer::No;
        QTest::newRow("Yes replaces it") << QStringLiteral("abc.tdm") << MessageBox::Answer::Yes;
        QTest::newRow("other spelling, Yes replaces that file")
            << QStringLiteral("ABC.tdm") << MessageBox::Answer::Yes;
    }
    void saveAsReplaceQuestion()
    {
        QFETCH(QString, existing);
        QFETCH(MessageBox::Answer, answer);
        SettingsWindowParts s;
        QVERIFY(writeBytes(s.modePath(existing), "BlockImg=old\r\n"));
        s.mode.setBlockImg(QStringLiteral("new"));
        s.input.answers = {QStringLiteral("abc")};
        s.messages.answers = {answer};
        s.actions.saveModeAs();

        QCOMPARE(s.messages.shown[0].text, QStringLiteral("名为abc的模式文件已存在，替换吗?"));
        QCOMPARE(s.messages.shown[0].buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Information);
        QCOMPARE(s.modeEntries().size(), 3); // Normal, Reader, and never a second spelling of the same mode
        const QByteArray content = readBytes(s.modePath(existing));
        if (answer == MessageBox::Answer::No) {
            QCOMPARE(s.messages.shown.size(), 1);
            QCOMPARE(content, QByteArray("BlockImg=old\r\n"));
            QCOMPARE(s.files.refreshes, 0);
        } else {
            QCOMPARE(s.texts().last(), QStringLiteral("模式已经成功保存!"));
            QVERIFY(content.contains("BlockImg=new\r\n"));
            QCOMPARE(s.files.refreshes, 1);
        }
    }

    void deleteMode_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::addColumn<QString>("outcome"); // the second message, or empty when there is none
        QTest::addColumn<bool>("removed");
        QTest::newRow("Yes deletes") << QStringLiteral("abc.tdm") << MessageBox::Answer::Yes
                                     << QStringLiteral("选定的模式已经成功删除!") << true;
        QTest::newRow("No keeps") << QStringLiteral("abc.tdm") << MessageBox::Answer::No << QString()
                                  << false;
        QTest::newRow("preset refused") << QStringLiteral("Normal.tdm") << MessageBox::Answer::Yes
                                        << QStringLiteral("此为系统预设模式,万不可删除啊!") << false;
        QTest::newRow("nothing selected") << QString() << MessageBox::Answer::Yes << ErrorStart << false;
        QTest::newRow("file gone meanwhile")
            << QStringLiteral("gone.tdm") << MessageBox::Answer::Yes << ErrorStart << false;
    }
    void deleteMode()
    {
        QFETCH(QString, selected);
        QFETCH(MessageBox::Answer, answer);
        QFETCH(QString, outcome);
        QFETCH(bool, removed);
        SettingsWindowParts s;
        QVERIFY(writeBytes(s.modePath(QStringLiteral("abc.tdm")), "BlockImg=x\r\n"));
        s.files.selected = selected;
        s.messages.answers = {answer};
        s.actions.deleteSelectedMode();

        QCOMPARE(s.messages.shown[0].text,
                 QStringLiteral("你真的要删除名为") + selected + QStringLiteral("的模式文件吗?"));
        QCOMPARE(s.messages.shown[0].buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Warning);
        QCOMPARE(s.messages.shown.size(), outcome.isEmpty() ? 1 : 2);
        if (!outcome.isEmpty()) {
            const auto &told = s.messages.shown[1];
            QVERIFY2(told.text.startsWith(outcome), qPrintable(told.text));
            QCOMPARE(told.icon, removed ? MessageBox::Icon::Information : MessageBox::Icon::Critical);
            if (outcome == ErrorStart) {
                // The system's description stands between the two texts.
                QVERIFY(told.text.endsWith(u'!'));
                QVERIFY(told.text.size() > ErrorStart.size() + 1);
            }
        }
        QCOMPARE(QFileInfo::exists(s.modePath(QStringLiteral("abc.tdm"))), !removed);
        QVERIFY(QFileInfo::exists(s.modePath(QStringLiteral("Normal.tdm"))));
        QCOMPARE(s.files.refreshes, removed ? 1 : 0);
    }

    // A write that fails tells the user, claims nothing, and leaves the earlier file whole.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("save settings") << QStringLiteral("settings") << QStringLiteral("Option.ini");
        QTest::newRow("update") << QStringLiteral("update") << QStringLiteral("Mode/Normal.tdm");
        QTest::newRow("save as over a mode") << QStringLiteral("saveAs") << QStringLiteral("Mode/abc.tdm");
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, action);
        QFETCH(QString, file);
        SettingsWindowParts s;
        QVERIFY(writeBytes(s.modePath(QStringLiteral("abc.tdm")), "BlockImg=old\r\n"));
        const QByteArray before = readBytes(s.dir.filePath(file));
        s.mode.setBlockImg(QStringLiteral("a keyword list long enough to pass the limit"));
        s.input.answers = {QStringLiteral("abc")};
        bool saved = false;
        {
            FileSizeLimit full(8);
            QVERIFY(full.active());
            if (action == u"settings")
                saved = s.actions.saveSettings();
            else if (action == u"update")
                s.actions.updateMode();
            else
                s.actions.saveModeAs();
        }
        QVERIFY(!saved);
        QCOMPARE(readBytes(s.dir.filePath(file)), before);
        const auto &told = s.messages.shown.last();
        QVERIFY2(told.text.startsWith(ErrorStart) && told.text.size() > ErrorStart.size() + 1,
                 qPrintable(told.text));
        QVERIFY2(!told.text.contains(QStringLiteral("Unknown error")),
                 qPrintable(told.text)); // the reason is given
        QCOMPARE(told.icon, MessageBox::Icon::Critical);
        for (const QString &text : s.texts())
            QVERIFY2(!text.contains(QStringLiteral("成功")), qPrintable(text));
        QCOMPARE(s.files.refreshes, 0);
        // Update does not read back the old file over the unsaved fields.
        QCOMPARE(s.mode.blockImg(), QStringLiteral("a keyword list long enough to pass the limit"));
        // No temporary file is left behind.
        QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Option.ini")});
        QCOMPARE(s.modeEntries(),
                 (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm"), QStringLiteral("abc.tdm")}));
    }

    void nameTheFileSystemRefuses()
    {
        SettingsWindowParts s;
        s.input.answers = {QString(300, u'a')};
        s.actions.saveModeAs();
        QCOMPARE(s.messages.shown.size(), 1);
        QVERIFY(s.messages.shown[0].text.startsWith(ErrorStart));
        QCOMPARE(s.modeEntries(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));
        QCOMPARE(s.files.refreshes, 0);
    }

    void modesPage_data()
    {
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QString>("opened");
        QTest::newRow("maker's site")
            << QByteArray() << QStringLiteral("web:https://tavrin.example/down#mode");
        QTest::newRow("page from the environment")
            << QByteArray("http://127.0.0.1:9/down") << QStringLiteral("web:http://127.0.0.1:9/down#mode");
    }
    void modesPage()
    {
        QFETCH(QByteArray, override);
        QFETCH(QString, opened);
        if (override.isEmpty())
            qunsetenv("TAVRIN_UPDATE_URL");
        else
            qputenv("TAVRIN_UPDATE_URL", override);
        SettingsWindowParts s;
        s.actions.openModesPage();
        qunsetenv("TAVRIN_UPDATE_URL");
        QCOMPARE(s.launcher.calls, QStringList{opened});
        QVERIFY(s.messages.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsActions)
#include "tst_settingsactions.moc"
