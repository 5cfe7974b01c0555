#include "web/bytestotext.h"
#include "web/charsetlabels.h"
#include "web/encodinglabeltable.h"

#include <QTest>

namespace {

// The row's bytes decoded by its charset give its text.
void checkDecoded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, charset);
    QFETCH(QString, text);

    const std::optional<QString> decoded = BytesToText(bytes, charset);
    QVERIFY(decoded.has_value());
    QCOMPARE(*decoded, text);
}

} // namespace

// What a browser reads, by the WHATWG Encoding Standard; each expected text is the standard's
// result for those bytes.
class TestBytesToText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void decodesAsTheStandard_data();
    void decodesAsTheStandard();
    void labelNamesEncoding_data();
    void labelNamesEncoding();
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
    QTest::newRow("utf-8 bom beats hz-gb-2312")
        << QByteArray("\xEF\xBB\xBF~{") << "hz-gb-2312" << QStringLiteral("~{");

    // HZ and the ISO-2022 encodings of China and Korea: read, not turned into one U+FFFD.
    QTest::newRow("hz-gb-2312") << QByteArray("a~{Dc:C~}b") << "hz-gb-2312" << QStringLiteral("a你好b");
    QTest::newRow("hz-gb-2312, ASCII only")
        << QByteArray("<img src=\"1.jpg\">") << "HZ-GB-2312" << QStringLiteral("<img src=\"1.jpg\">");
    QTest::newRow("iso-2022-kr") << QByteArray("\x1B$)Ca\x0E\x47\x51\x0F") << "iso-2022-kr"
                                 << QStringLiteral("a한");
    QTest::newRow("csiso2022kr") << QByteArray("\x1B$)Cabc") << "csiso2022kr" << QStringLiteral("abc");
    QTest::newRow("iso-2022-cn") << QByteArray("\x1B$)A\x0E\x44\x63\x0F") << "iso-2022-cn"
                                 << QStringLiteral("你");
    QTest::newRow("iso-2022-cn-ext") << QByteArray("\x1B$)A\x0E\x44\x63\x0Fz") << "iso-2022-cn-ext"
                                     << QStringLiteral("你z");
    QTest::newRow("hz-gb-2312, empty input") << QByteArray() << "hz-gb-2312" << QString();

    QTest::newRow("x-user-defined") << QByteArray("A\x80\xFF") << "x-user-defined"
                                    << QStringLiteral("A\uF780\uF7FF");
    QTest::newRow("empty input") << QByteArray() << "gb2312" << QString();
}

void TestBytesToText::decodes()
{
    checkDecoded();
}

// The standard's decoders, where other converters differ: each error one U+FFFD, an ASCII byte
// that ends a bad sequence read again as itself, no control characters for errors.
void TestBytesToText::decodesAsTheStandard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *charset, const QByteArray &bytes, const QString &text) {
        QTest::newRow(name) << bytes << QString::fromLatin1(charset) << text;
    };

    // GBK and gb18030 (one decoder).
    row("gbk: 80 is the euro sign", "GBK", "\x80", QStringLiteral("€"));
    row("gb2312: 80 is the euro sign", "GB2312", "5\x80", QStringLiteral("5€"));
    row("gbk: A3 A0 is the ideographic space", "gbk", "\xA3\xA0", QStringLiteral("\u3000"));
    row("gbk: GB18030-2022 characters, not private use", "gbk", "\xA6\xD9\xA6\xDF\xFE\x59\xFE\xA0",
        QStringLiteral("\uFE10\uFE16\u9FB4\u9FBB"));
    row("gbk: ASCII after a bad pair", "gbk", "\x81<a", QStringLiteral("\uFFFD<a"));
    row("gbk: DEL after a lead", "gbk", "\x81\x7F", QStringLiteral("\uFFFD\x7F"));
    row("gbk: lone lead at the end", "gbk", "a\x81", QStringLiteral("a\uFFFD"));
    row("gbk: FF", "gbk", "\xFFz", QStringLiteral("\uFFFDz"));
    row("gb18030: first four-byte code", "gb18030", "\x81\x30\x81\x30", QStringLiteral("\u0080"));
    row("gb18030: last BMP code", "gb18030", "\x84\x31\xA4\x39", QStringLiteral("\uFFFF"));
    row("gb18030: first and last beyond the BMP", "gb18030", "\x90\x30\x81\x30\xE3\x32\x9A\x35",
        QStringLiteral("\U00010000\U0010FFFF"));
    row("gb18030: the one exception in the ranges", "gb18030", "\x81\x35\xF4\x37", QStringLiteral("\uE7C7"));
    row("gb18030: four bytes mapping nothing are one error", "gb18030", "\x84\x31\xA5\x30z",
        QStringLiteral("\uFFFDz"));
    row("gb18030: four bytes past U+10FFFF", "gb18030", "\xE3\x32\x9A\x36\xFE\x39\xFE\x39",
        QStringLiteral("\uFFFD\uFFFD"));
    row("gb18030: bad fourth byte, the rest read again", "gb18030", "\x81\x30\x81 a",
        QStringLiteral("\uFFFD0\uFFFD a"));
    row("gb18030: bad third byte", "gb18030", "\x81\x30<", QStringLiteral("\uFFFD0<"));
    row("gb18030: cut after two of four bytes", "gb18030", "\x81\x30", QStringLiteral("\uFFFD"));
    row("gb18030: cut after three of four bytes", "gb18030", "a\x81\x30\x81", QStringLiteral("a\uFFFD"));

    // Big5, with the Hong Kong characters.
    row("big5: ASCII after a bad pair", "big5", "\xA1\x91\x62",
        QStringLiteral("\uFFFD"
                       "b"));
    row("big5: trail byte range, no character", "big5", "\x85[", QStringLiteral("\uFFFD["));
    row("big5: leads 81-84 are errors", "big5", "\x81\x40\x84\xA1", QStringLiteral("\uFFFD@\uFFFD"));
    row("big5: HKSCS characters", "big5", "\xFB\x48\xFD\xBB\xC6\xDE", QStringLiteral("\u5605\u6E2F\u3003"));
    row("big5: HKSCS strokes, not private use", "big5", "\x88\x40", QStringLiteral("\u31C0"));
    row("big5: beyond the BMP", "big5", "\x87\x45", QStringLiteral("\U00027267"));
    row("big5: letter and combining mark", "big5", "\x88\x62\x88\x64\x88\xA3\x88\xA5",
        QStringLiteral("\u00CA\u0304\u00CA\u030C\u00EA\u0304\u00EA\u030C"));
    row("big5: lone lead at the end", "big5", "a\xA4", QStringLiteral("a\uFFFD"));
    row("big5: 80 and FF", "big5", "\x80\xFF", QStringLiteral("\uFFFD\uFFFD"));
    row("big5: cut character before a tag", "big5",
        "\xA7\x41\xA6<a href=", QStringLiteral("你\uFFFD<a href="));

    // EUC-JP.
    row("euc-jp: two bytes", "euc-jp", "\xA4\xA2", QStringLiteral("あ"));
    row("euc-jp: half-width katakana", "euc-jp", "\x8E\xB1", QStringLiteral("\uFF71"));
    row("euc-jp: JIS X 0212", "euc-jp", "\x8F\xB0\xA1\x8F\xA2\xAF", QStringLiteral("\u4E02\u02D8"));
    row("euc-jp: bytes 80-9F are errors, not C1 controls", "euc-jp", "\x80\x85\x9F",
        QStringLiteral("\uFFFD\uFFFD\uFFFD"));
    row("euc-jp: ASCII after a bad pair", "euc-jp", "\xA4\x41",
        QStringLiteral("\uFFFD"
                       "A"));
    row("euc-jp: ASCII after 8E", "euc-jp", "\x8E\x41",
        QStringLiteral("\uFFFD"
                       "A"));
    row("euc-jp: non-ASCII after 8E is spent", "euc-jp", "\x8E\x80z", QStringLiteral("\uFFFDz"));
    row("euc-jp: ASCII third byte after 8F", "euc-jp", "\x8F\xA1<", QStringLiteral("\uFFFD<"));
    row("euc-jp: lone lead at the end", "euc-jp", "a\xA4", QStringLiteral("a\uFFFD"));
    row("euc-jp: 8F and one byte at the end", "euc-jp", "\x8F\xA1", QStringLiteral("\uFFFD"));

    // ISO-2022-JP.
    row("iso-2022-jp: Roman set", "iso-2022-jp", "\x1B(J\\~", QStringLiteral("\u00A5\u203E"));
    row("iso-2022-jp: katakana set", "iso-2022-jp", "\x1B(I\x31\x1B(Ba", QStringLiteral("\uFF71a"));
    row("iso-2022-jp: JIS X 0208 by ESC $ @", "iso-2022-jp", "\x1B$@\x46\x7C", QStringLiteral("日"));
    row("iso-2022-jp: two escapes with nothing between", "iso-2022-jp", "\x1B$B\x1B(Babc",
        QStringLiteral("\uFFFD"
                       "abc"));
    row("iso-2022-jp: unknown escape read again", "iso-2022-jp", "\x1B(Za", QStringLiteral("\uFFFD(Za"));
    row("iso-2022-jp: ESC at the end", "iso-2022-jp", "a\x1B", QStringLiteral("a\uFFFD"));
    row("iso-2022-jp: ESC ( at the end", "iso-2022-jp", "\x1B(", QStringLiteral("\uFFFD("));
    row("iso-2022-jp: lead byte cut by an escape", "iso-2022-jp", "\x1B$B\x46\x1B(Bx",
        QStringLiteral("\uFFFDx"));
    row("iso-2022-jp: lone lead at the end", "iso-2022-jp", "\x1B$B\x46", QStringLiteral("\uFFFD"));
    row("iso-2022-jp: line break in the two-byte set", "iso-2022-jp", "\x1B$B\n\x1B(B",
        QStringLiteral("\uFFFD"));
    row("iso-2022-jp: shift codes and 8-bit bytes", "iso-2022-jp", "\x0E\x0F\x80",
        QStringLiteral("\uFFFD\uFFFD\uFFFD"));

    // Shift_JIS.
    row("shift_jis: two bytes", "shift_jis", "\x82\xA0", QStringLiteral("あ"));
    row("shift_jis: half-width katakana and 80", "shift_jis", "\xB1\xDF\x80",
        QStringLiteral("\uFF71\uFF9F\u0080"));
    row("shift_jis: ASCII after a bad pair", "shift_jis", "\x85[", QStringLiteral("\uFFFD["));
    row("shift_jis: lone lead at the end is U+FFFD, not U+001A", "shift_jis", "\x81",
        QStringLiteral("\uFFFD"));
    row("shift_jis: 1A, 1C and 7F are themselves", "shift_jis", "\x1A\x1C\x7F",
        QStringLiteral("\x1A\x1C\x7F"));
    row("shift_jis: A0 and FD-FF are errors", "shift_jis", "\xA0\xFD\xFE\xFF",
        QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD"));
    row("shift_jis: user-defined area", "shift_jis", "\xF0\x40\xF9\xFC", QStringLiteral("\uE000\uE757"));

    // EUC-KR.
    row("euc-kr: KS X 1001 and UHC", "euc-kr", "\xB0\xA1\x81\x41", QStringLiteral("\uAC00\uAC02"));
    row("euc-kr: ASCII after a bad pair", "euc-kr", "\xC7\x41",
        QStringLiteral("\uFFFD"
                       "A"));
    row("euc-kr: byte between the trail ranges", "euc-kr", "\x81[", QStringLiteral("\uFFFD["));
    row("euc-kr: lone lead at the end", "euc-kr", "a\xB0", QStringLiteral("a\uFFFD"));
    row("euc-kr: 80 and FF", "euc-kr", "\x80\xFF", QStringLiteral("\uFFFD\uFFFD"));

    // Single-byte encodings.
    row("koi8-u: short u", "koi8-u", "\xAE\xBE", QStringLiteral("\u045E\u040E"));
    row("windows-874: unassigned bytes", "windows-874", "a\xDB\xDE\xFC\xFFz",
        QStringLiteral("a\uFFFD\uFFFD\uFFFD\uFFFDz"));
    row("windows-874: Thai letter", "windows-874", "\xA1", QStringLiteral("\u0E01"));
    row("windows-1253: AA unassigned", "windows-1253", "\xAA", QStringLiteral("\uFFFD"));
    row("windows-1255: CA holam haser", "windows-1255", "\xCA", QStringLiteral("\u05BA"));
    row("ibm866: 1A, 1C and 7F are themselves", "ibm866", "\x1A\x1C\x7F\x80",
        QStringLiteral("\x1A\x1C\x7F\u0410"));
    row("windows-1252: 81 is a C1 control", "windows-1252", "\x80\x81", QStringLiteral("€\u0081"));
    row("iso-8859-8-i reads as iso-8859-8", "iso-8859-8-i", "\xE0", QStringLiteral("\u05D0"));
}

void TestBytesToText::decodesAsTheStandard()
{
    checkDecoded();
}

void TestBytesToText::labelNamesEncoding_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("encoding");
    const QList<std::pair<const char *, const char *>> labels{
        {"gb_2312-80", "GBK"},
        {"csgb2312", "GBK"},
        {"x-gbk", "GBK"},
        {"gb18030", "gb18030"},
        {"big5-hkscs", "Big5"},
        {"x-x-big5", "Big5"},
        {"ms932", "Shift_JIS"},
        {"x-sjis", "Shift_JIS"},
        {"x-euc-jp", "EUC-JP"},
        {"csiso2022jp", "ISO-2022-JP"},
        {"ks_c_5601-1989", "EUC-KR"},
        {"windows-949", "EUC-KR"},
        {"latin1", "windows-1252"},
        {"ascii", "windows-1252"},
        {"tis-620", "windows-874"},
        {"iso-8859-11", "windows-874"},
        {"x-cp1250", "windows-1250"},
        {"koi8-ru", "KOI8-U"},
        {"x-mac-ukrainian", "x-mac-cyrillic"},
        {"csmacintosh", "macintosh"},
        {"866", "IBM866"},
        {"l9", "ISO-8859-15"},
        {"logical", "ISO-8859-8-I"},
        {"visual", "ISO-8859-8"},
        {"unicode-1-1-utf-8", "UTF-8"},
        {"unicodefffe", "UTF-16BE"},
        {"ucs-2", "UTF-16LE"},
        {"hz-gb-2312", "replacement"},
        {"x-user-defined", "x-user-defined"},
    };
    for (const auto &[label, encoding] : labels)
        QTest::newRow(label) << QString::fromLatin1(label) << QString::fromLatin1(encoding);
}

void TestBytesToText::labelNamesEncoding()
{
    QFETCH(QString, label);
    QFETCH(QString, encoding);
    const std::optional<KnownLabel> known = lookUpLabel(label.toUpper());
    QVERIFY(known.has_value());
    QCOMPARE(known->label, label.toLatin1());
    QCOMPARE(QString::fromLatin1(encodingName(known->encoding)), encoding);
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
    QTest::newRow("prefix of a label") << QStringLiteral("utf-");
    QTest::newRow("label and a NUL") << QStringLiteral("utf-8") + QChar(u'\0');
    // The Kelvin sign lower-cases to k outside ASCII; labels fold ASCII letters only.
    QTest::newRow("kelvin sign") << QStringLiteral("\u212Aoi8-r");
    QTest::newRow("full-width letters") << QStringLiteral("ＵＴＦ-8");
    // The standard's own name for what it cannot read: no converter, so no page.
    QTest::newRow("replacement") << QStringLiteral("replacement");
}

void TestBytesToText::unknownLabelFails()
{
    QFETCH(QString, charset);
    QCOMPARE(BytesToText("abc", charset), std::nullopt);
    QCOMPARE(BytesToText("\xEF\xBB\xBF"
                         "abc",
                         charset),
             std::nullopt);
}

// Every label of the table must reach a working decoder.
void TestBytesToText::everyStandardLabelDecodes_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("encoding");
    for (const EncodingLabel &entry : encodingLabels())
        QTest::newRow(entry.label) << QString::fromLatin1(entry.label)
                                   << QString::fromLatin1(encodingName(entry.encoding));
    // As the standard's data counts them.
    QCOMPARE(encodingLabels().size(), std::size_t(228));
}

void TestBytesToText::everyStandardLabelDecodes()
{
    QFETCH(QString, label);
    QFETCH(QString, encoding);

    const std::optional<QString> decoded = BytesToText("<p>", label.toUpper());
    if (label == u"replacement") {
        QCOMPARE(decoded, std::nullopt);
        return;
    }
    QVERIFY(decoded.has_value());
    if (!encoding.startsWith(u"UTF-16"))
        QCOMPARE(*decoded, QStringLiteral("<p>"));
}

QTEST_GUILESS_MAIN(TestBytesToText)
#include "tst_bytestotext.moc"
