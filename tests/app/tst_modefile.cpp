#include "app/mode.h"
#include "app/modefile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeMode(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Mode/") + name + QStringLiteral(".tdm")), bytes));
}

void fillMode(Mode &mode)
{
    mode.setName(QStringLiteral("Old"));
    mode.setBlockUrl(QStringLiteral("old-url"));
    mode.setBlockImg(QStringLiteral("old-img"));
    mode.setSearchKW(QStringLiteral("old-kw"));
}

} // namespace

class TestModeFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flags_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("on");
        QTest::newRow("True") << QByteArray("True") << true;
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("-1") << QByteArray("-1") << true;
        QTest::newRow("2x") << QByteArray("2x") << true;
        QTest::newRow("0.4 is nonzero") << QByteArray("0.4") << true;
        QTest::newRow("true lower case") << QByteArray("true") << false;
        QTest::newRow("False") << QByteArray("False") << false;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("True with a space") << QByteArray("True ") << false;
    }
    void flags()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, on);
        QTemporaryDir dir;
        writeMode(dir, QStringLiteral("M"), "DownMode=" + value + "\r\nKWUsing=" + value + "\r\n");
        Mode mode;
        mode.setDownMode(!on);
        mode.setKWUsing(!on);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("M"), mode));
        QCOMPARE(mode.downMode(), on);
        QCOMPARE(mode.kwUsing(), on);
    }

    // The reader's switches read like the other flags, and are off whenever the file does not
    // name them, whatever the mode before had.
    void readerSwitches_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readerPage");
        QTest::addColumn<bool>("scriptImg");
        QTest::addColumn<bool>("chapterEnd");
        QTest::newRow("all on") << QByteArray("ReaderPage=1\r\nScriptImg=True\r\nChapterEnd=-1\r\n") << true << true
                                << true;
        QTest::newRow("one on") << QByteArray("BlockImg=x\r\nScriptImg=1\r\n") << false << true << false;
        QTest::newRow("off") << QByteArray("ReaderPage=0\r\nScriptImg=true\r\nChapterEnd=False\r\n") << false
                             << false << false;
        QTest::newRow("absent") << QByteArray("BlockUrl=a\r\nDownMode=True\r\n") << false << false << false;
        QTest::newRow("lower-case keys") << QByteArray("readerpage=1\r\nchapterend=1\r\n") << false << false
                                         << false;
    }
    void readerSwitches()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readerPage);
        QFETCH(bool, scriptImg);
        QFETCH(bool, chapterEnd);
        QTemporaryDir dir;
        writeMode(dir, QStringLiteral("M"), bytes);
        Mode mode;
        mode.setReaderPage(true);
        mode.setScriptImg(true);
        mode.setChapterEnd(true);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("M"), mode));
        QCOMPARE(mode.readerPage(), readerPage);
        QCOMPARE(mode.scriptImg(), scriptImg);
        QCOMPARE(mode.chapterEnd(), chapterEnd);
    }

    void missingFileChangesNothing()
    {
        QTemporaryDir dir;
        Mode mode;
        fillMode(mode);
        QSignalSpy spy(&mode, &Mode::changed);
        QVERIFY(!LoadMode(dir.path(), QStringLiteral("None"), mode));
        QCOMPARE(mode.name(), QStringLiteral("Old"));
        QCOMPARE(spy.count(), 0);
    }

    void missingKeysKeepThePreviousMode()
    {
        QTemporaryDir dir;
        writeMode(dir, QStringLiteral("Only"), "DownMode=True\r\nblockimg=ignored\r\nBlockImg =ignored\r\n");
        Mode mode;
        fillMode(mode);
        QSignalSpy spy(&mode, &Mode::changed);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("Only"), mode));
        QCOMPARE(spy.count(), 2); // the flag, then the name: the settings window follows the load
        QCOMPARE(mode.name(), QStringLiteral("Only"));
        QCOMPARE(mode.blockImg(), QStringLiteral("old-img"));
        QCOMPARE(mode.blockUrl(), QStringLiteral("old-url"));
        QVERIFY(mode.downMode());
    }

    void valuesAreTakenWhole()
    {
        QTemporaryDir dir;
        writeMode(
            dir, QStringLiteral("V"),
            "BlockUrl=javascript,void,download,class=,src=\rSearchKW= spaced \nBlockImg=a\r\nBlockImg=b\r\n");
        Mode mode;
        QVERIFY(LoadMode(dir.path(), QStringLiteral("V"), mode));
        QCOMPARE(mode.blockUrl(), QStringLiteral("javascript,void,download,class=,src="));
        QCOMPARE(mode.searchKW(), QStringLiteral(" spaced "));
        QCOMPARE(mode.blockImg(), QStringLiteral("b"));
    }

    // Whatever the file holds, the load succeeds and takes what it can read.
    void garbageIsReadAsText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("blockImg");
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary.append(char(i));
        QTest::newRow("binary") << binary << "old-img";
        QTest::newRow("megabyte line") << "BlockImg=" + QByteArray(1 << 20, 'x') + "\r\n"
                                       << QString(1 << 20, u'x');
        QTest::newRow("no equals") << QByteArray("BlockImg\r\nDownMode True\r\n") << "old-img";
        QTest::newRow("invalid gbk") << QByteArray("BlockImg=a\x81 b\r\n") << "a\uFFFD b";
        QTest::newRow("nul bytes") << QByteArray("BlockImg=a\0b\r\n", 14) << QString::fromUtf16(u"a\0b", 3);
        QTest::newRow("gbk text") << QByteArray("BlockImg=\xCD\xBC\xB1\xEA,logo\r\n") << "图标,logo";
    }
    void garbageIsReadAsText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, blockImg);
        QTemporaryDir dir;
        writeMode(dir, QStringLiteral("G"), bytes);
        Mode mode;
        fillMode(mode);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("G"), mode));
        QCOMPARE(mode.name(), QStringLiteral("G"));
        QCOMPARE(mode.blockImg(), blockImg);
    }

    void unreadableFileFails()
    {
        QTemporaryDir dir;
        // A folder where the file should be cannot be read, whoever runs the test.
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Mode/Dir.tdm"))));
        Mode mode;
        fillMode(mode);
        QVERIFY(!LoadMode(dir.path(), QStringLiteral("Dir"), mode));
        QCOMPARE(mode.name(), QStringLiteral("Old"));
    }

    void namesMatchWithoutCase()
    {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("mode/NORMAL.TDM")), "SearchKW=k\r\n"));
        Mode mode;
        QVERIFY(LoadMode(dir.path(), QStringLiteral("Normal"), mode));
        QCOMPARE(mode.searchKW(), QStringLiteral("k"));
        QCOMPARE(mode.name(), QStringLiteral("Normal"));
    }

    void namesNeverLeaveTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../Outside";
        QTest::newRow("absolute") << "/tmp/Outside";
    }
    void namesNeverLeaveTheFolder()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("Outside.tdm")), "SearchKW=k\r\n"));
        Mode mode;
        QVERIFY(!LoadMode(dir.path(), name, mode));
        QVERIFY(!SaveMode(dir.path(), name, mode));
    }

    void presetIsWrittenAndLoaded()
    {
        QTemporaryDir dir;
        Mode mode;
        fillMode(mode);
        mode.setDownMode(true);
        WriteDefaultMode(dir.path(), mode);
        QCOMPARE(mode.name(), QStringLiteral("Normal"));
        QCOMPARE(mode.blockUrl(), QStringLiteral("javascript,void,download,class=,src="));
        QCOMPARE(mode.blockImg(), QStringLiteral("logo,bar,icons,shadow,avatars"));
        QCOMPARE(mode.searchKW(), QString());
        QVERIFY(!mode.downMode());
        QVERIFY(!mode.kwUsing());
    }

    void readerPresetIsWrittenOnceAndNotLoaded()
    {
        QTemporaryDir dir;
        Mode mode;
        fillMode(mode);
        WriteReaderMode(dir.path());
        QCOMPARE(mode.name(), QStringLiteral("Old"));
        QVERIFY(!mode.readerPage());
        const QString path = dir.filePath(QStringLiteral("Mode/Reader.tdm"));
        QCOMPARE(readBytes(path),
                 QByteArray("BlockUrl=javascript,void,download,class=,src=,/ads/,//ads.,adserver,advert,doubleclick,"
                            "sponsor\r\n"
                            "BlockImg=logo,bar,icons,shadow,avatars,gravatar,emoji,/ads/,//ads.,adserver,advert,"
                            "doubleclick,sponsor,banner,loading,spinner,placeholder,blank.,lazy.,pixel.,grey.,"
                            "transparent.,1x1.\r\n"
                            "SearchKW=\r\nKWUsing=0\r\nDownMode=0\r\nReaderPage=1\r\nScriptImg=1\r\nChapterEnd=1\r\n"));
        QVERIFY(LoadMode(dir.path(), QStringLiteral("Reader"), mode));
        QVERIFY(mode.readerPage() && mode.scriptImg() && mode.chapterEnd());
        QVERIFY(!mode.downMode());

        // The user's own Reader mode (any spelling of the name) is never replaced.
        QVERIFY(QFile::remove(path));
        writeMode(dir, QStringLiteral("READER"), "DownMode=True\r\n");
        WriteReaderMode(dir.path());
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Mode"))).entryList(QDir::Files), QStringList{"READER.tdm"});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("Mode/READER.tdm"))), QByteArray("DownMode=True\r\n"));
    }

    // A mode that uses no reader switch is saved as it always was; one that does, with its switches.
    void saveWritesSwitchesOnlyWhenOn_data()
    {
        QTest::addColumn<bool>("readerPage");
        QTest::addColumn<bool>("chapterEnd");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("none") << false << false << QByteArray("KWUsing=False\r\nDownMode=True\r\n");
        QTest::newRow("two") << true << true
                             << QByteArray("KWUsing=False\r\nDownMode=True\r\nReaderPage=True\r\nChapterEnd=True\r\n");
    }
    void saveWritesSwitchesOnlyWhenOn()
    {
        QFETCH(bool, readerPage);
        QFETCH(bool, chapterEnd);
        QFETCH(QByteArray, tail);
        QTemporaryDir dir;
        Mode saved;
        saved.setBlockUrl(QStringLiteral("u"));
        saved.setBlockImg(QStringLiteral("i"));
        saved.setDownMode(true);
        saved.setReaderPage(readerPage);
        saved.setChapterEnd(chapterEnd);
        QVERIFY(SaveMode(dir.path(), QStringLiteral("S"), saved));
        const QByteArray bytes = readBytes(dir.filePath(QStringLiteral("Mode/S.tdm")));
        QCOMPARE(bytes, "BlockUrl=u\r\nBlockImg=i\r\nSearchKW=\r\n" + tail);

        Mode loaded;
        loaded.setScriptImg(true);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("S"), loaded));
        QCOMPARE(loaded.readerPage(), readerPage);
        QCOMPARE(loaded.chapterEnd(), chapterEnd);
        QVERIFY(!loaded.scriptImg());
        QVERIFY(SaveMode(dir.path(), QStringLiteral("S"), loaded));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("Mode/S.tdm"))), bytes);
    }

    void saveThenLoad()
    {
        QTemporaryDir dir;
        Mode saved;
        saved.setBlockUrl(QStringLiteral("a,,,b=c"));
        saved.setBlockImg(QStringLiteral("图标,logo"));
        saved.setSearchKW(QStringLiteral("漫画"));
        saved.setKWUsing(true);
        saved.setDownMode(false);
        QVERIFY(SaveMode(dir.path(), QStringLiteral("我的"), saved));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("Mode/我的.tdm"))).right(32),
                 QByteArray("\r\nKWUsing=True\r\nDownMode=False\r\n"));

        Mode loaded;
        loaded.setDownMode(true);
        QVERIFY(LoadMode(dir.path(), QStringLiteral("我的"), loaded));
        QCOMPARE(loaded.name(), QStringLiteral("我的"));
        QCOMPARE(loaded.blockUrl(), saved.blockUrl());
        QCOMPARE(loaded.blockImg(), saved.blockImg());
        QCOMPARE(loaded.searchKW(), saved.searchKW());
        QCOMPARE(loaded.kwUsing(), true);
        QCOMPARE(loaded.downMode(), false);
    }
};

QTEST_GUILESS_MAIN(TestModeFile)
#include "tst_modefile.moc"
