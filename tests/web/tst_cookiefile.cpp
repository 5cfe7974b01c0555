#include "testfiles.h"
#include "web/cookiefile.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);

// "name=value domain path [secure] [httponly] [expires N]": what a browser holds of the cookie.
QString described(const QNetworkCookie &cookie)
{
    QString text = QString::fromLatin1(cookie.name() + '=' + cookie.value()) + u' ' + cookie.domain() + u' ' +
                   cookie.path();
    if (cookie.isSecure())
        text += QStringLiteral(" secure");
    if (cookie.isHttpOnly())
        text += QStringLiteral(" httponly");
    if (!cookie.isSessionCookie())
        text += QStringLiteral(" expires ") + QString::number(cookie.expirationDate().toSecsSinceEpoch());
    return text;
}

QStringList described(const QList<QNetworkCookie> &cookies)
{
    QStringList texts;
    for (const QNetworkCookie &cookie : cookies)
        texts.append(described(cookie));
    return texts;
}

} // namespace

class TestCookieFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("cookie"); // empty: no cookie from it
        QTest::addColumn<int>("malformed");
        QTest::newRow("host only") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid\tabc")
                                   << "sid=abc comic.test /" << 0;
        QTest::newRow("with subdomains")
            << QByteArray(".comic.test\tTRUE\t/c/\tFALSE\t0\tsid\tabc") << "sid=abc .comic.test /c/" << 0;
        QTest::newRow("subdomains flag without the dot")
            << QByteArray("comic.test\tTRUE\t/\tFALSE\t0\tsid\tabc") << "sid=abc .comic.test /" << 0;
        QTest::newRow("dot without the flag is the host's alone")
            << QByteArray(".comic.test\tFALSE\t/\tFALSE\t0\tsid\tabc") << "sid=abc comic.test /" << 0;
        QTest::newRow("secure, expiring") << QByteArray("comic.test\tFALSE\t/\tTRUE\t1800000000\tsid\tabc")
                                          << "sid=abc comic.test / secure expires 1800000000" << 0;
        QTest::newRow("HttpOnly") << QByteArray("#HttpOnly_.comic.test\tTRUE\t/\tFALSE\t0\tsid\tabc")
                                  << "sid=abc .comic.test / httponly" << 0;
        QTest::newRow("flags in lower case")
            << QByteArray("comic.test\tfalse\t/\ttrue\t0\tsid\tabc") << "sid=abc comic.test / secure" << 0;
        QTest::newRow("empty value") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid\t")
                                     << "sid= comic.test /" << 0;
        QTest::newRow("value with blanks and =")
            << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid\ta b=c") << "sid=a b=c comic.test /" << 0;
        QTest::newRow("CR LF") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid\tabc\r")
                               << "sid=abc comic.test /" << 0;
        QTest::newRow("expired: left out, not malformed")
            << QByteArray("comic.test\tFALSE\t/\tFALSE\t1600000000\tsid\tabc") << "" << 0;
        QTest::newRow("comment") << QByteArray("# Netscape HTTP Cookie File") << "" << 0;
        QTest::newRow("blank") << QByteArray("  \t ") << "" << 0;
        QTest::newRow("six fields") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid") << "" << 1;
        QTest::newRow("eight fields") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\tsid\ta\tb") << "" << 1;
        QTest::newRow("blanks for tabs") << QByteArray("comic.test FALSE / FALSE 0 sid abc") << "" << 1;
        QTest::newRow("bad flag") << QByteArray("comic.test\tYES\t/\tFALSE\t0\tsid\tabc") << "" << 1;
        QTest::newRow("bad secure flag") << QByteArray("comic.test\tFALSE\t/\t1\t0\tsid\tabc") << "" << 1;
        QTest::newRow("bad expiry") << QByteArray("comic.test\tFALSE\t/\tFALSE\tsoon\tsid\tabc") << "" << 1;
        QTest::newRow("negative expiry")
            << QByteArray("comic.test\tFALSE\t/\tFALSE\t-5\tsid\tabc") << "" << 1;
        QTest::newRow("relative path") << QByteArray("comic.test\tFALSE\tc/\tFALSE\t0\tsid\tabc") << "" << 1;
        QTest::newRow("no domain") << QByteArray("\tFALSE\t/\tFALSE\t0\tsid\tabc") << "" << 1;
        QTest::newRow("no name") << QByteArray("comic.test\tFALSE\t/\tFALSE\t0\t\tabc") << "" << 1;
        QTest::newRow("HttpOnly prefix on nothing") << QByteArray("#HttpOnly_") << "" << 1;
    }
    void lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, cookie);
        QFETCH(int, malformed);
        const CookieFileContents contents = readCookies(line, now);
        QCOMPARE(described(contents.cookies), cookie.isEmpty() ? QStringList{} : QStringList{cookie});
        QCOMPARE(contents.malformedLines, malformed);
    }

    // A file as an extension exports it, CR LF and LF mixed: cookies in order, bad lines counted.
    void wholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cookies.txt"));
        QVERIFY(writeBytes(path, "# Netscape HTTP Cookie File\r\n"
                                 "# https://curl.se/docs/http-cookies.html\r\n"
                                 "\r\n"
                                 ".comic.test\tTRUE\t/\tFALSE\t0\tsid\tabc\r\n"
                                 "not a cookie\n"
                                 "#HttpOnly_comic.test\tFALSE\t/\tTRUE\t1800000000\tmember\tyes\n"
                                 "comic.test\tFALSE\t/\tFALSE\t1\told\tgone\n"
                                 "comic.test\tFALSE\t/\n"
                                 "other.test\tFALSE\t/\tFALSE\t0\tlast\tline"));
        const CookieFileRead read = readCookieFile(path, now);
        QVERIFY(read);
        QCOMPARE(described(read.contents.cookies),
                 (QStringList{QStringLiteral("sid=abc .comic.test /"),
                              QStringLiteral("member=yes comic.test / secure httponly expires 1800000000"),
                              QStringLiteral("last=line other.test /")}));
        QCOMPARE(read.contents.malformedLines, 2);
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const CookieFileRead read = readCookieFile(dir.filePath(QStringLiteral("none.txt")), now);
        QVERIFY(!read);
        QVERIFY(!read.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCookieFile)
#include "tst_cookiefile.moc"
