#include "loopbackserver.h"
#include "web/httppagefetcher.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

class TestFetchPage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void decodesByDeclaredCharset_data();
    void decodesByDeclaredCharset();

private:
    QString fetch(const LoopbackResponse &response);

    LoopbackServer *m_server = nullptr;
    HttpPageFetcher *m_fetcher = nullptr;
};

void TestFetchPage::init()
{
    m_server = new LoopbackServer;
    QVERIFY(m_server->isListening());
    m_fetcher = new HttpPageFetcher;
    m_fetcher->setTimeLimit(2s);
}

void TestFetchPage::cleanup()
{
    delete m_fetcher;
    delete m_server;
}

QString TestFetchPage::fetch(const LoopbackResponse &response)
{
    m_server->setResponse(QStringLiteral("/page"), response);
    return m_fetcher->FetchPage(m_server->url(QStringLiteral("/page")));
}

void TestFetchPage::decodesByDeclaredCharset_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");

    QTest::newRow("gbk declared as gb2312")
        << QByteArray("<meta content=\"text/html; charset=gb2312\">\xC4\xE3\xBA\xC3")
        << QStringLiteral("<meta content=\"text/html; charset=gb2312\">你好");
    QTest::newRow("no declaration decodes gbk")
        << QByteArray("<title>\xC4\xE3\xBA\xC3</title>") << QStringLiteral("<title>你好</title>");
    QTest::newRow("utf-8 closed by space slash")
        << QByteArray("<meta charset=\"utf-8\" />\xE4\xBD\xA0\xE5\xA5\xBD")
        << QStringLiteral("<meta charset=\"utf-8\" />你好");
}

void TestFetchPage::decodesByDeclaredCharset()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QCOMPARE(fetch(LoopbackResponse::page(body)), text);
}

QTEST_GUILESS_MAIN(TestFetchPage)
#include "tst_fetchpage.moc"
