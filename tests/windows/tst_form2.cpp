#include "controls/button/pexbutton.h"
#include "layoutcheck.h"
#include "loopbackserver.h"
#include "recordinglauncher.h"
#include "scriptedmessagebox.h"
#include "web/httppagefetcher.h"
#include "windows/form2.h"

#include <QLabel>
#include <QTest>

namespace {

// The about window with a real fetcher, its download page pointed at a loopback server.
struct AboutWindow
{
    LoopbackServer server;
    HttpPageFetcher fetcher;
    ScriptedMessageBox messages;
    RecordingLauncher launcher;
    QString page = server.url(QStringLiteral("/down"));
    std::unique_ptr<Form2> form;

    AboutWindow()
    {
        qputenv("TAVRIN_UPDATE_URL", page.toUtf8());
        form = std::make_unique<Form2>(fetcher, messages, launcher);
        qunsetenv("TAVRIN_UPDATE_URL");
    }
    template <typename T> T *field(const char *name) const
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no field %s", name);
        return found;
    }
    void press(const char *button) const { QTest::mouseClick(field<pexbutton>(button), Qt::LeftButton); }
};

} // namespace

class TestForm2 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void content()
    {
        AboutWindow w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("About & Thanks"));
        QCOMPARE(w.form->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(w.field<QLabel>("Label2")->text(), QStringLiteral("版本号 0.1.4"));
        QCOMPARE(w.field<QLabel>("Label3")->text(),
                 QStringLiteral("  新一代的网页漫画下载器！力求给用户带来更便捷的使用体验！"));
        for (const char *name : {"Label4", "Label5", "Label6", "Label7"})
            QVERIFY(!w.field<QLabel>(name)->text().isEmpty());
        QVERIFY(!w.field<QLabel>("Image1")->pixmap().isNull());
        const struct
        {
            const char *name;
            QString caption;
        } buttons[] = {{"pexbutton1", QStringLiteral("查看帮助/提出建议 一键入口")},
                       {"pexbutton2", QStringLiteral("检查更新")}};
        for (const auto &expected : buttons) {
            const auto *button = w.field<pexbutton>(expected.name);
            QCOMPARE(button->Caption(), expected.caption);
            QCOMPARE(button->ButtonStyle(), 8);
            QCOMPARE(button->BackColor(), quint32(33 + 112 * 256 + 228 * 65536));
            QCOMPARE(button->ForeColor(), quint32(0xFFFFFF));
            QCOMPARE(button->Font().pointSizeF(), 10.5);
            QCOMPARE(button->MousePointer(), qint16(0));
        }
    }

    void layoutKeepsTextsWhole()
    {
        AboutWindow w;
        checkLayout(w.form.get());
    }

    void helpOpensTheDownloadPage()
    {
        AboutWindow w;
        w.press("pexbutton1");
        QCOMPARE(w.launcher.calls, QStringList{QStringLiteral("web:") + w.page});
        QVERIFY(w.messages.shown.isEmpty());
        QCOMPARE(w.server.requestCount(QStringLiteral("/down")), 0);
    }

    void checkForUpdates_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("opensPage");
        QTest::newRow("newer version")
            << QStringLiteral("<meta charset=\"utf-8\"><h1>Tavrin漫画下载器现已更新到版本 0.2.0</h1>"
                              "<p>更新内容：</p><p>更快</p><hr />")
                   .toUtf8()
            << QStringLiteral("有更新:版本号:0.2.0\r\n更新内容:更快点击确定打开下载页。") << true;
        QTest::newRow("this version")
            << QStringLiteral("<meta charset=\"utf-8\"><h1>Tavrin漫画下载器现已更新到版本 0.1.4</h1>")
                   .toUtf8()
            << QStringLiteral("当前版本为最新版本。") << false;
        QTest::newRow("page without markers")
            << QByteArray("<html>maintenance</html>")
            << QStringLiteral("获取失败！可能是网络环境问题或服务器正忙，请稍后重试。") << false;
    }
    void checkForUpdates()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QFETCH(bool, opensPage);
        AboutWindow w;
        w.server.setResponse(QStringLiteral("/down"), LoopbackResponse::page(body));
        w.press("pexbutton2");
        QCOMPARE(w.server.requestCount(QStringLiteral("/down")), 1);
        QCOMPARE(w.messages.shown.size(), 1);
        QCOMPARE(w.messages.shown[0].text, message);
        QCOMPARE(w.launcher.calls, opensPage ? QStringList{QStringLiteral("web:") + w.page} : QStringList{});
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
