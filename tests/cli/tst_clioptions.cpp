#include "cli/clioptions.h"

#include <QDir>
#include <QTest>

class TestCliOptions final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << "no command given (get, analyse or download)";
        QTest::newRow("unknown option") << QStringList{"get", "--fast", "http://a/"} << "unknown option: --fast";
        QTest::newRow("unknown command") << QStringList{"fetch", "http://a/"} << "unexpected argument: fetch";
        QTest::newRow("get without address") << QStringList{"get"} << "get needs a chapter address or -i FILE";
        QTest::newRow("missing value") << QStringList{"get", "http://a/", "-i"} << "-i needs a value";
        QTest::newRow("both modes") << QStringList{"get", "--list-only", "--download", "http://a/"}
                                    << "--list-only and --download exclude each other";
        QTest::newRow("choose takes numbers") << QStringList{"get", "--choose", "two", "http://a/"}
                                              << "--choose takes a number, not \"two\"";
        QTest::newRow("analyse twice") << QStringList{"analyse", "a.html", "b.html"} << "unexpected argument: b.html";
        QTest::newRow("analyse needs a page") << QStringList{"analyse"} << "analyse needs a FILE or URL";
        QTest::newRow("cbz with analyse") << QStringList{"analyse", "--cbz", "a.html"}
                                          << "--cbz goes with get and download";
        QTest::newRow("json with get") << QStringList{"get", "--json", "http://a/"}
                                       << "--json and --first-address go with analyse";
        QTest::newRow("list-only with download") << QStringList{"download", "--list-only", "f"}
                                                 << "-i, --list-only, --download and --choose go with get";
        QTest::newRow("flag with a value") << QStringList{"get", "--cbz=yes", "http://a/"} << "--cbz takes no value";
        QTest::newRow("wait without a number") << QStringList{"get", "--wait", "soon", "http://a/"}
                                               << "--wait takes a number of seconds, not \"soon\"";
        QTest::newRow("negative wait") << QStringList{"download", "--wait=-1", "f"}
                                       << "--wait takes a number of seconds, not \"-1\"";
        QTest::newRow("wait past a day") << QStringList{"get", "--wait", "1e9", "http://a/"}
                                         << "--wait takes a number of seconds, not \"1e9\"";
        QTest::newRow("wait without its value") << QStringList{"get", "http://a/", "--wait"} << "--wait needs a value";
        QTest::newRow("continue with analyse") << QStringList{"analyse", "--continue", "a.html"}
                                               << "--continue and --wait go with get and download";
        QTest::newRow("wait with analyse") << QStringList{"analyse", "--wait", "2", "a.html"}
                                           << "--continue and --wait go with get and download";
        QTest::newRow("continue with a value") << QStringList{"get", "--continue=1", "http://a/"}
                                               << "--continue takes no value";
        QTest::newRow("proxy and no proxy") << QStringList{"get", "--no-proxy", "--proxy", "h:1", "http://a/"}
                                            << "--proxy and --no-proxy exclude each other";
        // Said without the password: the line may be on a screen others see.
        QTest::newRow("unreadable proxy") << QStringList{"get", "--proxy=socks4://me:secret@h:1", "http://a/"}
                                          << "--proxy: \"socks4://h:1\" is no proxy address (http://, socks5:// or "
                                             "socks5h://HOST:PORT)";
        QTest::newRow("proxy without value") << QStringList{"get", "http://a/", "--proxy"} << "--proxy needs a value";
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QCOMPARE(parseCli(arguments).error, error);
    }

    void getWithEverything()
    {
        const CliParse parse =
            parseCli({"--app-folder", "/tmp/x", "get", "http://a/1", "--choose", "2", "-i", "list.txt", "--mode=Reader",
                      "--choose=1", "--cbz", "--list-only", "--", "--odd-address"});
        QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
        const CliOptions &o = parse.options;
        QCOMPARE(o.command, CliOptions::Command::Get);
        QCOMPARE(o.addresses, (QStringList{"http://a/1", "--odd-address"}));
        QCOMPARE(o.choices, (QStringList{"2", "1"}));
        QCOMPARE(o.inputFile, QStringLiteral("list.txt"));
        QCOMPARE(o.modeName, QStringLiteral("Reader"));
        QCOMPARE(o.appFolder, QStringLiteral("/tmp/x"));
        QVERIFY(o.cbz);
        QCOMPARE(o.listOnly, std::optional<bool>(true));
    }

    void analyseAndDownload()
    {
        CliParse parse = parseCli({"analyse", "page.html", "--first-address", "http://a/1", "--json"});
        QVERIFY(parse.error.isEmpty());
        QCOMPARE(parse.options.command, CliOptions::Command::Analyse);
        QCOMPARE(parse.options.page, QStringLiteral("page.html"));
        QCOMPARE(parse.options.firstAddress, QStringLiteral("http://a/1"));
        QVERIFY(parse.options.json);
        parse = parseCli({"download", "第1话", "--cbz"});
        QVERIFY(parse.error.isEmpty());
        QCOMPARE(parse.options.command, CliOptions::Command::Download);
        QCOMPARE(parse.options.folder, QStringLiteral("第1话"));
        QVERIFY(!parse.options.keepExisting);
        QCOMPARE(parse.options.waitSeconds, std::nullopt);
        parse = parseCli({"download", "--continue", "第1话", "--wait", "1.5"});
        QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
        QVERIFY(parse.options.keepExisting);
        QCOMPARE(parse.options.waitSeconds, std::optional<double>(1.5));
        parse = parseCli({"get", "--wait=0", "--continue", "http://a/1"});
        QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
        QCOMPARE(parse.options.waitSeconds, std::optional<double>(0));
    }

    void networkOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<std::optional<QString>>("proxy");
        QTest::addColumn<QString>("cookies");
        QTest::newRow("neither") << QStringList{} << std::optional<QString>() << QString();
        QTest::newRow("--proxy") << QStringList{"--proxy", "socks5h://me:pw@h:1"}
                                 << std::optional<QString>("socks5h://me:pw@h:1") << QString();
        QTest::newRow("--no-proxy, --cookies=") << QStringList{"--no-proxy", "--cookies=/tmp/c.txt"}
                                                << std::optional<QString>("direct") << QStringLiteral("/tmp/c.txt");
        QTest::newRow("relative cookies file")
            << QStringList{"--cookies", "c.txt"} << std::optional<QString>()
            << QDir::current().absoluteFilePath(QStringLiteral("c.txt"));
    }
    void networkOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(std::optional<QString>, proxy);
        QFETCH(QString, cookies);
        for (const QString &command : {QStringLiteral("get"), QStringLiteral("analyse"), QStringLiteral("download")}) {
            const CliParse parse = parseCli(QStringList{command, "x"} + arguments);
            QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
            QCOMPARE(parse.options.network.proxy, proxy);
            QCOMPARE(parse.options.network.cookiesFile, cookies);
        }
        QVERIFY(cliHelpText().contains(QLatin1String("--proxy URL")));
    }

    void helpAndVersionWin()
    {
        QCOMPARE(parseCli({"get", "--help", "--bogus"}).options.command, CliOptions::Command::Help);
        QVERIFY(parseCli({"get", "--help", "--bogus"}).error.isEmpty());
        QCOMPARE(parseCli({"--version"}).options.command, CliOptions::Command::Version);
        QVERIFY(cliHelpText().contains(QLatin1String("--choose N")));
        QVERIFY(cliHelpText().contains(QLatin1String("--continue ")));
        QVERIFY(cliHelpText().contains(QLatin1String("--wait SECONDS")));
        QVERIFY(cliHelpText().contains(QLatin1String("TAVRIN_USER_AGENT")));
        QVERIFY(cliVersionText().contains(QLatin1String("0.1.4")));
    }

    void windowOrCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("commandLine");
        QTest::newRow("no arguments: the window") << QStringList{} << false;
        QTest::newRow("app folder only: the window") << QStringList{"--app-folder", "get"} << false;
        QTest::newRow("values are no commands: the window")
            << QStringList{"--proxy", "get", "--cookies", "download"} << false;
        QTest::newRow("qt option: the window") << QStringList{"-platform", "offscreen"} << false;
        QTest::newRow("get") << QStringList{"--app-folder", "x", "get", "u"} << true;
        QTest::newRow("help") << QStringList{"--help"} << true;
    }
    void windowOrCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, commandLine);
        QCOMPARE(isCliInvocation(arguments), commandLine);
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
