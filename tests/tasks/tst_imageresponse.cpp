#include "tasks/imageresponse.h"
#include "tasks/retrywait.h"

#include <QHash>
#include <QTest>

using namespace std::chrono_literals;
using std::chrono::milliseconds;

using Headers = QHash<QString, QString>;
Q_DECLARE_METATYPE(ImageHead::Verdict)
Q_DECLARE_METATYPE(std::optional<milliseconds>)

namespace {

const QDateTime now = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);

} // namespace

class TestImageResponse final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judgesTheHead_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<qint64>("askedFrom");
        QTest::addColumn<Headers>("headers");
        QTest::addColumn<ImageHead::Verdict>("verdict");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<qint64>("offset");      // Read
        QTest::addColumn<bool>("resumable");     // Read
        QTest::addColumn<bool>("startOver");     // Retry
        const auto read = ImageHead::Verdict::Read;
        const auto retry = ImageHead::Verdict::Retry;
        const auto fail = ImageHead::Verdict::Fail;
        const QString webPage = QStringLiteral("返回的是网页而不是图片");

        QTest::newRow("200 image") << 200 << 0ll << Headers{{"Content-Type", "image/png"}} << read << QString() << 0ll
                                   << false << false;
        QTest::newRow("200 taking ranges") << 200 << 0ll << Headers{{"Accept-Ranges", "Bytes"}} << read << QString()
                                           << 0ll << true << false;
        QTest::newRow("200 saying none") << 200 << 0ll << Headers{{"Accept-Ranges", "none"}} << read << QString() << 0ll
                                         << false << false;
        QTest::newRow("200 to a range: the whole again") << 200 << 5000ll << Headers{} << read << QString() << 0ll
                                                         << false << false;
        QTest::newRow("206 where asked") << 206 << 5000ll << Headers{{"Content-Range", "bytes 5000-9999/10000"}} << read
                                         << QString() << 5000ll << true << false;
        QTest::newRow("206 elsewhere") << 206 << 5000ll << Headers{{"Content-Range", "bytes 4000-9999/10000"}}
                                       << retry << QStringLiteral("HTTP 206") << 0ll << false << true;
        QTest::newRow("206 without its range") << 206 << 5000ll << Headers{} << retry << QStringLiteral("HTTP 206")
                                               << 0ll << false << true;
        QTest::newRow("416 to a range") << 416 << 5000ll << Headers{} << retry << QStringLiteral("HTTP 416") << 0ll
                                        << false << true;
        QTest::newRow("416 unasked") << 416 << 0ll << Headers{} << fail << QStringLiteral("HTTP 416") << 0ll << false
                                     << false;
        QTest::newRow("408") << 408 << 0ll << Headers{} << retry << QStringLiteral("HTTP 408") << 0ll << false << false;
        QTest::newRow("429") << 429 << 0ll << Headers{} << retry << QStringLiteral("HTTP 429") << 0ll << false << false;
        QTest::newRow("500 keeps the range") << 500 << 5000ll << Headers{} << retry << QStringLiteral("HTTP 500") << 0ll
                                             << false << false;
        QTest::newRow("599") << 599 << 0ll << Headers{} << retry << QStringLiteral("HTTP 599") << 0ll << false << false;
        QTest::newRow("403") << 403 << 0ll << Headers{} << fail << QStringLiteral("HTTP 403") << 0ll << false << false;
        QTest::newRow("404") << 404 << 0ll << Headers{} << fail << QStringLiteral("HTTP 404") << 0ll << false << false;
        QTest::newRow("302 not followed") << 302 << 0ll << Headers{} << fail << QStringLiteral("HTTP 302") << 0ll
                                          << false << false;
        QTest::newRow("html") << 200 << 0ll << Headers{{"Content-Type", "text/html"}} << fail << webPage << 0ll << false
                              << false;
        QTest::newRow("html with charset, any case")
            << 200 << 0ll << Headers{{"Content-Type", " Text/HTML ; charset=UTF-8"}} << fail << webPage << 0ll << false
            << false;
        QTest::newRow("html as the rest of a range")
            << 206 << 10ll << Headers{{"Content-Type", "text/html"}, {"Content-Range", "bytes 10-19/20"}} << fail
            << webPage << 0ll << false << false;
        QTest::newRow("xhtml is no html page") << 200 << 0ll << Headers{{"Content-Type", "application/xhtml+xml"}}
                                               << read << QString() << 0ll << false << false;
    }
    void judgesTheHead()
    {
        QFETCH(int, status);
        QFETCH(qint64, askedFrom);
        QFETCH(Headers, headers);
        QFETCH(ImageHead::Verdict, verdict);
        QFETCH(QString, failure);
        QFETCH(qint64, offset);
        QFETCH(bool, resumable);
        QFETCH(bool, startOver);
        const ImageHead head =
            judgeImageHead(status, askedFrom, [&](const QString &name) { return headers.value(name); }, now);
        QCOMPARE(head.verdict, verdict);
        QCOMPARE(head.failure, failure);
        if (verdict == ImageHead::Verdict::Read) {
            QCOMPARE(head.offset, offset);
            QCOMPARE(head.resumable, resumable);
        }
        if (verdict == ImageHead::Verdict::Retry)
            QCOMPARE(head.startOver, startOver);
    }

    void retryAfterOfATransientStatus()
    {
        const ImageHead head = judgeImageHead(
            503, 0, [](const QString &name) { return name == u"Retry-After" ? QStringLiteral("7") : QString(); }, now);
        QCOMPARE(head.retryAfter, std::optional<milliseconds>(7s));
    }

    void sniffsWebPages_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("html");
        QTest::newRow("doctype") << QByteArray("<!DOCTYPE html><html>") << true;
        QTest::newRow("doctype in small letters after blanks") << QByteArray(" \r\n\t\f<!doctype html>") << true;
        QTest::newRow("html in capitals") << QByteArray("<HTML><body>") << true;
        QTest::newRow("byte order mark first") << QByteArray("\xEF\xBB\xBF<html>") << true;
        QTest::newRow("jpeg") << QByteArray("\xFF\xD8\xFF\xE0<html>") << false;
        QTest::newRow("html later on") << QByteArray("GIF89a <html>") << false;
        QTest::newRow("svg") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>") << false;
        QTest::newRow("xml prolog") << QByteArray("<?xml version=\"1.0\"?><html>") << false;
        QTest::newRow("only the start of the word") << QByteArray("  <htm") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void sniffsWebPages()
    {
        QFETCH(QByteArray, start);
        QFETCH(bool, html);
        QCOMPARE(beginsLikeHtml(start), html);
    }

    void growingWaits_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<milliseconds>("base");
        QTest::addColumn<std::optional<milliseconds>>("retryAfter");
        QTest::addColumn<milliseconds>("wait");
        const std::optional<milliseconds> none;
        QTest::newRow("first") << 1 << milliseconds(1s) << none << milliseconds(1s);
        QTest::newRow("second") << 2 << milliseconds(1s) << none << milliseconds(2s);
        QTest::newRow("third") << 3 << milliseconds(1s) << none << milliseconds(4s);
        QTest::newRow("fifth") << 5 << milliseconds(1s) << none << milliseconds(16s);
        QTest::newRow("sixth is cut to 30 s") << 6 << milliseconds(1s) << none << milliseconds(30s);
        QTest::newRow("fiftieth") << 50 << milliseconds(1s) << none << milliseconds(30s);
        QTest::newRow("a test's base") << 3 << milliseconds(10ms) << none << milliseconds(40ms);
        QTest::newRow("server asks 1 s") << 4 << milliseconds(1s) << std::optional(milliseconds(1s))
                                         << milliseconds(1s);
        QTest::newRow("server asks 45 s") << 1 << milliseconds(1s) << std::optional(milliseconds(45s))
                                          << milliseconds(45s);
        QTest::newRow("server asks an hour: 60 s") << 1 << milliseconds(1s) << std::optional(milliseconds(3600s))
                                                   << milliseconds(60s);
        QTest::newRow("server asks nothing") << 2 << milliseconds(10ms) << std::optional(milliseconds(0))
                                             << milliseconds(0);
    }
    void growingWaits()
    {
        QFETCH(int, failures);
        QFETCH(milliseconds, base);
        QFETCH(std::optional<milliseconds>, retryAfter);
        QFETCH(milliseconds, wait);
        QCOMPARE(retryWait(failures, base, retryAfter).count(), wait.count());
    }

    void readsRetryAfter_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<std::optional<milliseconds>>("delay");
        QTest::newRow("absent") << QString() << std::optional<milliseconds>();
        QTest::newRow("seconds") << QStringLiteral(" 120 ") << std::optional(milliseconds(120s));
        QTest::newRow("negative") << QStringLiteral("-5") << std::optional<milliseconds>();
        QTest::newRow("http date") << QStringLiteral("Mon, 06 May 2024 07:08:39 GMT")
                                   << std::optional(milliseconds(30s));
        QTest::newRow("date past") << QStringLiteral("Mon, 06 May 2024 07:00:00 GMT") << std::optional(milliseconds(0));
        QTest::newRow("nonsense") << QStringLiteral("soon") << std::optional<milliseconds>();
    }
    void readsRetryAfter()
    {
        QFETCH(QString, header);
        QFETCH(std::optional<milliseconds>, delay);
        QCOMPARE(retryAfterDelay(header, now), delay);
    }
};

QTEST_GUILESS_MAIN(TestImageResponse)
#include "tst_imageresponse.moc"
