#include "web/bytestotext.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestBytesToText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void unknownLabelFails_data();
    void unknownLabelFails();
    void everyStandardLabelDecodes_data();
    void everyStandardLabelDecodes();
};

void TestBytesToText::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("text");

    // GB2312 pages are GBK in practice: characters outside GB2312 must survive.
    QTest::newRow("GB2312 with a GBK-only character")
        << QByteArray("\xC4\xE3\x82\x83") << "GB2312" << QStringLiteral("你們");
    QTest::newRow("gb2312 lower case")
        << QByteArray("\xC4\xE3\xBA\xC3") << "gb2312" << QStringLiteral("你好");
    QTest::newRow("GBK") << QByteArray("\x86\xB4") << "GBK" << QStringLiteral("喆");
    QTest::newRow("gb18030 four bytes")
        << QByteArray("\x94\x39\xFC\x36") << "gb18030" << QStringLiteral("\U0001F600");
    QTest::newRow("big5") << QByteArray("\xA7\x41\xA6\x6E") << "big5" << QStringLiteral("你好");
    QTest::newRow("big5 euro sign") << QByteArray("\xA3\xE1") << "Big5" << QStringLiteral("€");
    QTest::newRow("big5-hkscs characters")
        << QByteArray("\x87\x40\xC6\xA1") << "big5-hkscs" << QStringLiteral("\u43F0①");
    QTest::newRow("shift_jis with NEC circled digit")
        << QByteArray("\x93\xFA\x96\x7B\x87\x40") << "shift_jis" << QStringLiteral("日本①");
    QTest::newRow("windows-31j") << QByteArray("\x93\xFA\x96\x7B") << "windows-31j" << QStringLiteral("日本");
    QTest::newRow("euc-kr with a UHC syllable")
        << QByteArray("\xC7\xD1\xB1\xB9\x8C\x63") << "euc-kr" << QStringLiteral("한국똠");
    QTest::newRow("euc-jp") << QByteArray("\xC6\xFC\xCB\xDC") << "euc-jp" << QStringLiteral("日本");
    QTest::newRow("iso-2022-jp") << QByteArray("\x1B\x24\x42\x46\x7C\x4B\x5C\x1B\x28\x42") << "iso-2022-jp"
                                 << QStringLiteral("日本");
    QTest::newRow("iso-8859-1 means windows-1252")
        << QByteArray("\x80\xE9") << "iso-8859-1" << QStringLiteral("€é");
    QTest::newRow("us-ascii means windows-1252") << QByteArray("\xE9") << "us-ascii" << QStringLiteral("é");
    QTest::newRow("iso-8859-16") << QByteArray("\xA4\xAA") << "iso-8859-16" << QStringLiteral("€Ș");
    QTest::newRow("koi8-r") << QByteArray("\xC1") << "koi8-r" << QStringLiteral("а");
    QTest::newRow("utf-16le") << QByteArray("h\0i\0", 4) << "utf-16le" << QStringLiteral("hi");
    QTest::newRow("invalid utf-8") << QByteArray("a\xFFz") << "utf-8" << QStringLiteral("a\uFFFDz");
    QTest::newRow("label padded with whitespace") << QByteArray("\xE4\xBD\xA0") << "\t UTF-8 \r\n"
                                                  << QStringLiteral("你");
    QTest::newRow("label utf8") << QByteArray("\xE4\xBD\xA0") << "Utf8" << QStringLiteral("你");

    // A byte order mark says more than the label, and is not part of the text.
    QTest::newRow("utf-8 bom dropped")
        << QByteArray("\xEF\xBB\xBF\xE4\xBD\xA0") << "utf-8" << QStringLiteral("你");
    QTest::newRow("utf-8 bom beats gb2312")
        << QByteArray("\xEF\xBB\xBF\xE4\xBD\xA0") << "GB2312" << QStringLiteral("你");
    QTest::newRow("utf-16le bom beats utf-8")
        << QByteArray("\xFF\xFEh\0", 4) << "utf-8" << QStringLiteral("h");

    QTest::newRow("replacement") << QByteArray("\x1B$)Cabc") << "iso-2022-kr" << QStringLiteral("\uFFFD");
    QTest::newRow("replacement, empty input") << QByteArray() << "hz-gb-2312" << QString();
    QTest::newRow("x-user-defined") << QByteArray("A\x80\xFF") << "x-user-defined"
                                    << QStringLiteral("A\uF780\uF7FF");
    QTest::newRow("empty input") << QByteArray() << "gb2312" << QString();
}

void TestBytesToText::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, charset);
    QFETCH(QString, text);

    const std::optional<QString> decoded = BytesToText(bytes, charset);
    QVERIFY(decoded.has_value());
    QCOMPARE(*decoded, text);
}

void TestBytesToText::unknownLabelFails_data()
{
    QTest::addColumn<QString>("charset");
    QTest::newRow("empty") << QString();
    QTest::newRow("single quotes kept") << QStringLiteral("'utf-8'");
    QTest::newRow("trailing semicolon") << QStringLiteral("utf-8;");
    QTest::newRow("inner space") << QStringLiteral("utf 8");
    QTest::newRow("vertical tab is not whitespace here") << QStringLiteral("utf-8\v");
    QTest::newRow("made up") << QStringLiteral("klingon");
    // The Kelvin sign lower-cases to k outside ASCII; labels fold ASCII letters only.
    QTest::newRow("kelvin sign") << QStringLiteral("\u212Aoi8-r");
    QTest::newRow("full-width letters") << QStringLiteral("ＵＴＦ-8");
}

void TestBytesToText::unknownLabelFails()
{
    QFETCH(QString, charset);
    QCOMPARE(BytesToText("abc", charset), std::nullopt);
}

// Every label of the standard table must reach a working decoder.
void TestBytesToText::everyStandardLabelDecodes_data()
{
    Q_INIT_RESOURCE(encodings);
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("encoding");
    QFile file(QStringLiteral(":/web/whatwg-encodings.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QJsonValue &group : QJsonDocument::fromJson(file.readAll()).array()) {
        for (const QJsonValue &entry : group.toObject().value(u"encodings").toArray()) {
            const QString name = entry.toObject().value(u"name").toString();
            for (const QJsonValue &label : entry.toObject().value(u"labels").toArray())
                QTest::newRow(qPrintable(label.toString())) << label.toString() << name;
        }
    }
}

void TestBytesToText::everyStandardLabelDecodes()
{
    QFETCH(QString, label);
    QFETCH(QString, encoding);

    const std::optional<QString> decoded = BytesToText("<p>", label.toUpper());
    QVERIFY(decoded.has_value());
    if (encoding == u"replacement")
        QCOMPARE(*decoded, QStringLiteral("\uFFFD"));
    else if (!encoding.startsWith(u"UTF-16"))
        QCOMPARE(*decoded, QStringLiteral("<p>"));
}

QTEST_GUILESS_MAIN(TestBytesToText)
#include "tst_bytestotext.moc"
