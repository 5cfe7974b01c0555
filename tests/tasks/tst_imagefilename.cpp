#include "tasks/imagefilename.h"

#include <QTest>

class TestImageFileName final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void name_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");

        const QString jpg = QStringLiteral("http://img.example.com/comic/007.jpg");
        QTest::newRow("one of 1") << 0 << 1 << jpg << QStringLiteral("1.jpg");
        QTest::newRow("last of 9") << 8 << 9 << jpg << QStringLiteral("9.jpg");
        QTest::newRow("first of 10") << 0 << 10 << jpg << QStringLiteral("01.jpg");
        QTest::newRow("last of 10") << 9 << 10 << jpg << QStringLiteral("10.jpg");
        QTest::newRow("first of 120") << 0 << 120 << jpg << QStringLiteral("001.jpg");
        QTest::newRow("last of 100") << 99 << 100 << jpg << QStringLiteral("100.jpg");
        QTest::newRow("query string kept")
            << 1 << 3 << QStringLiteral("http://h.com/a.png?w=800&t=1") << QStringLiteral("2.png?w=800&t=1");
        QTest::newRow("dot only in the host: extension dropped")
            << 0 << 5 << QStringLiteral("http://127.0.0.1:8080/image") << QStringLiteral("1");
        QTest::newRow("dot in a folder: extension dropped")
            << 3 << 5 << QStringLiteral("http://h.com/v1.2/image") << QStringLiteral("4");
        QTest::newRow("no dot at all") << 0 << 1 << QStringLiteral("http://localhost/img") << QStringLiteral("1");
        QTest::newRow("dot at the end") << 0 << 1 << QStringLiteral("http://h.com/a.") << QStringLiteral("1.");
        QTest::newRow("dotted parent in the query")
            << 0 << 1 << QStringLiteral("http://h.com/get?f=../../x") << QStringLiteral("1");
    }
    void name()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(QString, address);
        QFETCH(QString, name);
        QCOMPARE(imageFileName(index, count, address), name);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("addresses");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one") << QStringLiteral("http://a/1.jpg\r\n") << QStringList({QStringLiteral("http://a/1.jpg")});
        QTest::newRow("empty line kept in the middle")
            << QStringLiteral("http://a/1.jpg\r\n\r\nhttp://a/3.jpg\r\n")
            << QStringList({QStringLiteral("http://a/1.jpg"), QString(), QStringLiteral("http://a/3.jpg")});
        QTest::newRow("last without its CR LF")
            << QStringLiteral("http://a/1.jpg\r\nhttp://a/2.jpg")
            << QStringList({QStringLiteral("http://a/1.jpg"), QStringLiteral("http://a/2.jpg")});
        QTest::newRow("a lone LF is part of the address")
            << QStringLiteral("http://a/1.jpg\nx\r\n") << QStringList({QStringLiteral("http://a/1.jpg\nx")});
    }
    void addresses()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, addresses);
        QCOMPARE(imageAddresses(list), addresses);
    }
};

QTEST_GUILESS_MAIN(TestImageFileName)
#include "tst_imagefilename.moc"
