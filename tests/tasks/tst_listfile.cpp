#include "tasks/cleanfoldername.h"
#include "tasks/listfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestListFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("colon and question mark") << "海贼王: 第1话?" << "海贼王 第1话-";
        QTest::newRow("every removed character") << "a<b>c*d:e\"f/g\\h" << "abcdefgh";
        QTest::newRow("others stay") << "a|b c\r\n" << "a|b c\r\n";
        QTest::newRow("51 characters cut to 47") << QString(51, u'字') << QString(47, u'字');
        QTest::newRow("50 characters stay") << QString(50, u'x') << QString(50, u'x');
        QTest::newRow("cut never halves a character")
            << QString(23, u'漫') + QString(23, u'画') + QStringLiteral("😀😀😀") << QString(23, u'漫') + QString(23, u'画');
        QTest::newRow("cut after a whole character") << QString(45, u'x') + QStringLiteral("😀😀😀")
                                                     << QString(45, u'x') + QStringLiteral("😀");
        QTest::newRow("cut after removing") << QString(60, u':') + QString(51, u'y') << QString(47, u'y');
        QTest::newRow("only removed characters") << "<>/" << "";
        QTest::newRow("dot") << "." << "-";
        QTest::newRow("dots") << ".." << "--";
        QTest::newRow("dots around a removed slash") << "./." << "--";
        QTest::newRow("dots with a name stay") << "..a" << "..a";
    }
    void folderName()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(CleanFolderName(title), name);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("three addresses")
            << "http://a/1.jpg\r\nhttp://a/2.jpg\r\nhttp://a/3.jpg\r\n"
            << QByteArray("http://a/1.jpg\r\nhttp://a/2.jpg\r\nhttp://a/3.jpg\r\n\r\n");
        QTest::newRow("empty line inside kept") << "http://a/1.jpg\r\n\r\nhttp://a/2.jpg\r\n"
                                                << QByteArray("http://a/1.jpg\r\n\r\nhttp://a/2.jpg\r\n\r\n");
        QTest::newRow("chinese in GBK") << "http://a/第1.jpg\r\n"
                                        << QByteArray("http://a/") + QByteArray::fromHex("b5da") + "1.jpg\r\n\r\n";
    }
    void roundTrip()
    {
        QFETCH(QString, listText);
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const std::optional<QString> path = writeListFile(folder.path(), listText);
        QVERIFY(path);
        QCOMPARE(QFileInfo(*path).fileName(), QStringLiteral("Down.lst"));
        QCOMPARE(readBytes(*path), file);
        QCOMPARE(readListFile(folder.path()).value_or(QStringLiteral("none")), listText);
    }

    void readsAnySpellingAndEnding_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("listText");
        QTest::newRow("lower case, LF lines") << "down.lst" << QByteArray("u1\nu2\n\n") << "u1\r\nu2\r\n";
        QTest::newRow("upper case, no empty last line") << "DOWN.LST" << QByteArray("u1\r\nu2") << "u1\r\nu2\r\n";
        QTest::newRow("only an empty line") << "Down.lst" << QByteArray("\r\n") << "";
    }
    void readsAnySpellingAndEnding()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, listText);
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath(fileName), bytes));
        QCOMPARE(readListFile(folder.path()).value_or(QStringLiteral("none")), listText);
    }

    void rewriteReplacesAnOtherSpelling()
    {
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath(QStringLiteral("down.lst")), "old\r\n\r\n"));
        QVERIFY(writeListFile(folder.path(), QStringLiteral("new\r\n")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("down.lst")});
        QCOMPARE(readListFile(folder.path()).value_or(QString()), QStringLiteral("new\r\n"));
    }

    void missingOrUnwritable()
    {
        QTemporaryDir folder;
        QVERIFY(!readListFile(folder.path()));
        QVERIFY(!readListFile(folder.filePath(QStringLiteral("nowhere"))));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("down.lst"))); // a folder by that name is no list
        QVERIFY(!readListFile(folder.path()));
        QVERIFY(!writeListFile(folder.filePath(QStringLiteral("nowhere")), QStringLiteral("u\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
