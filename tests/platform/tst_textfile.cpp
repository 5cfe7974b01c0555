#include "platform/casepath.h"
#include "platform/narrowcodepage.h"
#include "platform/textfile.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("mixed with empty line") << "a\r\n\rb\n\nc" << QStringList{"a", "", "b", "", "c"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("only break") << "\r\n" << QStringList{""};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(splitTextLines(text), lines);
    }

    void writesGbkWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(writeTextFile(path, {QStringLiteral("模式=一"), QString()}));
        // 模 = C4 A3, 式 = CA BD, 一 = D2 BB in GBK
        QCOMPARE(readBytes(path), QByteArray("\xC4\xA3\xCA\xBD=\xD2\xBB\r\n\r\n"));
        QCOMPARE(readTextFile(path).value(), (QStringList{QStringLiteral("模式=一"), QString()}));
    }

    void invalidGbkBecomesReplacement()
    {
        // 0x81 followed by 0x20 is no GBK pair; 0xFF is never a lead byte.
        const QString text = decodeNarrow(QByteArray("a\x81 b\xFF", 5));
        QVERIFY(text.startsWith(u'a'));
        QVERIFY(text.contains(QChar(0xFFFD)));
        QVERIFY(text.contains(u'b'));
    }

    void missingFileIsNotAnEmptyFile()
    {
        QTemporaryDir dir;
        QVERIFY(!readTextFile(dir.filePath(QStringLiteral("none.txt"))).has_value());
        writeBytes(dir.filePath(QStringLiteral("empty.txt")), {});
        QCOMPARE(readTextFile(dir.filePath(QStringLiteral("empty.txt"))).value(), QStringList{});
    }

    void findsNamesWithoutCase()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("Down.lst")), "x");
        QDir(dir.path()).mkdir(QStringLiteral("Download"));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("down.lst")), dir.filePath(QStringLiteral("Down.lst")));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("download")), dir.filePath(QStringLiteral("Download")));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("other")), QString());
        QCOMPARE(pathIgnoringCase(dir.path(), QStringLiteral("New.txt")), dir.filePath(QStringLiteral("New.txt")));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
