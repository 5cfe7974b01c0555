#include "app/programversion.h"
#include "app/updatecheck.h"
#include "fakepagefetcher.h"
#include "loopbackserver.h"
#include "platform/narrowcodepage.h"
#include "recordinglauncher.h"
#include "scriptedmessagebox.h"
#include "testproxy.h"
#include "web/httppagefetcher.h"
#include "web/networksetup.h"
#include "web/proxyaddress.h"

#include <memory>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QString Failure = QStringLiteral("获取失败！可能是网络环境问题或服务器正忙，请稍后重试。");
const QString Latest = QStringLiteral("当前版本为最新版本。");
const QString Centred = QStringLiteral("<p style=\"text-align: center;\">");

// The download page as the maker publishes it: the version in a heading, then the notes.
QString downloadPage(const QString &heading, const QString &notes)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"><title>下载</title></head><body>"
                          "<h1>Tavrin漫画下载器现已更新到版本") +
           heading + QStringLiteral("</h1>\n<p>更新内容：</p>") + notes +
           QStringLiteral("<hr />\n<p>历史版本</p><hr /></body></html>");
}

QString offer(const QString &version, const QString &notes)
{
    return QStringLiteral("有更新:版本号:") + version + QStringLiteral("\r\n更新内容:") + notes +
           QStringLiteral("点击确定打开下载页。");
}

} // namespace

class TestUpdateCheck final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runningVersion() { QCOMPARE(versionText(), QStringLiteral("0.1.4")); }

    void pageOverHttp_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("opensPage");
        const QString notes = QStringLiteral("修复了一些问题");
        const auto utf8 = [](const QString &text) { return text.toUtf8(); };

        QTest::newRow("same version")
            << utf8(downloadPage(QStringLiteral(" 0.1.4"), notes)) << Latest << false;
        QTest::newRow("same version, notes missing")
            << encodeNarrow(QStringLiteral("<h1>Tavrin漫画下载器现已更新到版本 0.1.4</h1>")) << Latest
            << false;
        QTest::newRow("older version is offered") << utf8(downloadPage(QStringLiteral(" 0.1.3"), notes))
                                                  << offer(QStringLiteral("0.1.3"), notes) << true;
        QTest::newRow("0.1.04 is not 0.1.4") << utf8(downloadPage(QStringLiteral(" 0.1.04"), notes))
                                             << offer(QStringLiteral("0.1.04"), notes) << true;
        QTest::newRow("trailing blank is not 0.1.4") << utf8(downloadPage(QStringLiteral(" 0.1.4 "), notes))
                                                     << offer(QStringLiteral("0.1.4 "), notes) << true;
        QTest::newRow("any separator is skipped") << utf8(downloadPage(QStringLiteral("：0.2.0"), notes))
                                                  << offer(QStringLiteral("0.2.0"), notes) << true;
        QTest::newRow("no separator loses the first character")
            << utf8(downloadPage(QStringLiteral("0.2.0"), notes)) << offer(QStringLiteral(".2.0"), notes)
            << true;
        QTest::newRow("two paragraphs run together")
            << utf8(downloadPage(QStringLiteral(" 0.2.0"),
                                 Centred + QStringLiteral("新增批量下载</p><p>修复崩溃</p>")))
            << offer(QStringLiteral("0.2.0"), QStringLiteral("新增批量下载修复崩溃")) << true;
        QTest::newRow("other markup and line breaks stay")
            << utf8(downloadPage(QStringLiteral(" 0.2.0"), QStringLiteral("\n<p>一<br />二</p>\n<b>三</b>")))
            << offer(QStringLiteral("0.2.0"), QStringLiteral("\n一<br />二\n<b>三</b>")) << true;
        QTest::newRow("GBK page without a declaration")
            << encodeNarrow(
                   QStringLiteral("<h1>Tavrin漫画下载器现已更新到版本 0.3</h1><p>更新内容：</p>更快<hr />"))
            << offer(QStringLiteral("0.3"), QStringLiteral("更快")) << true;

        QTest::newRow("empty page") << QByteArray() << Failure << false;
        QTest::newRow("error page without markers") << QByteArray("<h1>Not Found</h1>") << Failure << false;
        QTest::newRow("no version marker")
            << utf8(QStringLiteral("<h1>版本 0.2.0</h1><p>更新内容：</p>x<hr />")) << Failure << false;
        QTest::newRow("no </h1> after the version")
            << utf8(QStringLiteral("<h1>x</h1>Tavrin漫画下载器现已更新到版本 0.2.0<p>更新内容：</p>x<hr />"))
            << Failure << false;
        QTest::newRow("marker ends the page")
            << utf8(QStringLiteral("Tavrin漫画下载器现已更新到版本")) << Failure << false;
        QTest::newRow("update without notes marker")
            << utf8(QStringLiteral("<h1>Tavrin漫画下载器现已更新到版本 0.2.0</h1><hr />")) << Failure
            << false;
        QTest::newRow("update without <hr /> after the notes")
            << utf8(QStringLiteral("<hr /><h1>Tavrin漫画下载器现已更新到版本 0.2.0</h1><p>更新内容：</p>x"))
            << Failure << false;
    }
    void pageOverHttp()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QFETCH(bool, opensPage);
        LoopbackServer server;
        QVERIFY(server.isListening());
        server.setResponse(QStringLiteral("/down"), LoopbackResponse::page(body));
        const QString address = server.url(QStringLiteral("/down"));
        HttpPageFetcher fetcher;
        fetcher.setTimeLimit(5s);
        ScriptedMessageBox messages;
        RecordingLauncher launcher;
        UpdateCheck check(fetcher, messages, launcher, address, versionText());

        check.run();
        QCOMPARE(server.requestCount(QStringLiteral("/down")), 1);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, message);
        QCOMPARE(messages.shown[0].title, QStringLiteral("Tavrin漫画下载器"));
        QCOMPARE(messages.shown[0].buttons, MessageBox::Buttons::Ok);
        QCOMPARE(messages.shown[0].icon, MessageBox::Icon::Information);
        QCOMPARE(launcher.calls, opensPage ? QStringList{QStringLiteral("web:") + address} : QStringList{});
    }

    // The maker's site reached only through the proxy the program is set up with.
    void throughTheProxy()
    {
        LoopbackServer server;
        server.setResponse(QStringLiteral("/down"),
                           LoopbackResponse::page(downloadPage(QStringLiteral(" 0.1.4"), {}).toUtf8()));
        TestProxy proxy(TestProxy::Kind::Socks5);
        proxy.route(QStringLiteral("maker.test"), server.port());
        NetworkSetup network;
        HttpPageFetcher fetcher;
        network.configure(fetcher.network());
        network.setProxyRules(ProxyRules::through(*parseProxyAddress(proxy.address())));
        fetcher.setTimeLimit(5s);
        ScriptedMessageBox messages;
        RecordingLauncher launcher;
        UpdateCheck(fetcher, messages, launcher, QStringLiteral("http://maker.test/down"), versionText()).run();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, Latest);
        QCOMPARE(proxy.requested(), QStringList{QStringLiteral("maker.test:80")});
    }

    void noServer()
    {
        QString address;
        {
            LoopbackServer gone;
            address = gone.url(QStringLiteral("/down"));
        }
        HttpPageFetcher fetcher;
        fetcher.setTimeLimit(5s);
        ScriptedMessageBox messages;
        RecordingLauncher launcher;
        UpdateCheck check(fetcher, messages, launcher, address, versionText());
        check.run();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, Failure);
        QVERIFY(launcher.calls.isEmpty());
    }

    void serverThatNeverAnswers()
    {
        LoopbackServer server;
        server.setResponse(QStringLiteral("/down"), LoopbackResponse::stall());
        HttpPageFetcher fetcher;
        fetcher.setTimeLimit(300ms);
        ScriptedMessageBox messages;
        RecordingLauncher launcher;
        UpdateCheck check(fetcher, messages, launcher, server.url(QStringLiteral("/down")), versionText());
        check.run();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, Failure);
        QVERIFY(launcher.calls.isEmpty());
    }

    void openDownloadPage()
    {
        FakePageFetcher fetcher;
        ScriptedMessageBox messages;
        RecordingLauncher launcher;
        UpdateCheck check(fetcher, messages, launcher, QStringLiteral("http://127.0.0.1:9/down"),
                          versionText());
        check.openDownloadPage();
        QCOMPARE(launcher.calls, QStringList{QStringLiteral("web:http://127.0.0.1:9/down")});
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(fetcher.fetched.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
