#include "filesizelimit.h"
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

    // A disk that fills up in the middle of the write: the old file stays whole and the caller
    // learns why.
    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(writeBytes(path, "old\r\n"));
        FileWriteResult result;
        {
            FileSizeLimit full(8);
            QVERIFY(full.active());
            result = writeTextFileReporting(path, {QStringLiteral("a line longer than the limit")});
        }
        QVERIFY(!result);
        QVERIFY(!result.error.isEmpty());
        QVERIFY2(result.error != QStringLiteral("Unknown error"), qPrintable(result.error));
        QCOMPARE(readBytes(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
    }

    void invalidGbkBecomesReplacement_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // A lead byte without its trail byte costs one character; what follows survives.
        QTest::newRow("lead byte before a space") << QByteArray("a\x81 b") << "a\uFFFD b";
        QTest::newRow("lead byte at the end") << QByteArray("ab\x81") << "ab\uFFFD";
        QTest::newRow("lead byte before a line break") << QByteArray("a\x81\r\nb") << "a\uFFFD\r\nb";
        QTest::newRow("four-byte form is not GBK") << QByteArray("\x81\x30\x81\x30") << "\uFFFD0\uFFFD0";
        QTest::newRow("euro sign of code page 936") << QByteArray("\x80") << "\u20AC";
    }
    void invalidGbkBecomesReplacement()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeNarrow(bytes), text);
    }

    // Option.ini and the mode files come from Chinese Windows: every GBK code, read and written
    // again, must come back as the same bytes.
    void everyGbkCodeSurvivesReadAndWrite()
    {
        QByteArray bytes = "\x80\r\n";
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                bytes += char(lead);
                bytes += char(trail);
                bytes += trail % 16 == 0 ? "\r\n" : "=";
            }
            bytes += "\r\n";
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Option.ini"));
        writeBytes(path, bytes);
        const std::optional<QStringList> lines = readTextFile(path);
        QVERIFY(lines.has_value());
        QVERIFY(writeTextFile(path, *lines));
        QCOMPARE(readBytes(path), bytes);
    }

    void unmappableTextIsWrittenAsQuestionMark()
    {
        // Hangul and emoji have no GBK code; the file still gets one byte per character.
        QCOMPARE(encodeNarrow(QStringLiteral("a한😀b")), QByteArray("a??b"));
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
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("down.lst")),
                 dir.filePath(QStringLiteral("Down.lst")));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("download")),
                 dir.filePath(QStringLiteral("Download")));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("other")), QString());
        QCOMPARE(pathIgnoringCase(dir.path(), QStringLiteral("New.txt")),
                 dir.filePath(QStringLiteral("New.txt")));
        QCOMPARE(pathIgnoringCase(dir.path(), QStringLiteral("DOWN.LST")),
                 dir.filePath(QStringLiteral("Down.lst")));
        // When several spellings exist, the exact one wins.
        writeBytes(dir.filePath(QStringLiteral("down.lst")), "y");
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("down.lst")),
                 dir.filePath(QStringLiteral("down.lst")));
        QCOMPARE(findIgnoringCase(dir.path(), QStringLiteral("Down.lst")),
                 dir.filePath(QStringLiteral("Down.lst")));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
