#include "app/mode.h"
#include "app/modefile.h"
#include "app/networkoptions.h"
#include "app/optionfile.h"
#include "app/settings.h"
#include "controls/button/pexbutton.h"
#include "fakepagefetcher.h"
#include "layoutcheck.h"
#include "recordinglauncher.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "testfiles.h"
#include "walkparts.h"
#include "web/networksetup.h"
#include "windows/filelist.h"
#include "windows/form3.h"

#include <memory>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An app folder after its first start, and the settings window on its live records.
struct SettingsWindow
{
    QTemporaryDir dir;
    Settings ownSettings;
    Mode ownMode;
    Settings &settings;
    Mode &mode;
    ScriptedMessageBox messages;
    ScriptedInputBox input;
    RecordingLauncher launcher;
    std::unique_ptr<Form3> form;

    SettingsWindow() : SettingsWindow(ownSettings, ownMode) {}
    SettingsWindow(Settings &liveSettings, Mode &liveMode) : settings(liveSettings), mode(liveMode)
    {
        ScriptedMessageBox startMessages;
        LoadSettings(dir.path(), settings, mode, startMessages);
        form = std::make_unique<Form3>(dir.path(), settings, mode, messages, input, launcher);
    }
    template <typename T> T *field(const char *name) const
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no field %s", name);
        return found;
    }
    void press(const char *button) const { QTest::mouseClick(field<pexbutton>(button), Qt::LeftButton); }
    QStringList listed() const
    {
        QStringList entries;
        const auto *list = field<FileList>("File1");
        for (int row = 0; row < list->count(); ++row)
            entries.append(list->item(row)->text());
        return entries;
    }
};

} // namespace

class TestForm3 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window()
    {
        SettingsWindow w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("设置"));
        QVERIFY(w.form->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(w.form->size(), QSize(495, 548));
        QCOMPARE(w.form->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(w.field<QLabel>("NM")->text(), QStringLiteral("Normal"));
        QCOMPARE(w.listed(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));
        for (const char *name : {"pexbutton1", "pexbutton2", "pexbutton3", "pexbutton4", "pexbutton5",
                                 "pexbutton6", "pexbutton7"}) {
            const auto *button = w.field<pexbutton>(name);
            QCOMPARE(button->BackColor(), quint32(33 + 112 * 256 + 228 * 65536));
            QCOMPARE(button->ForeColor(), quint32(0xFFFFFF));
        }
    }

    // Every text whole, nothing covering anything else, at the designed places.
    void layoutKeepsTextsWhole()
    {
        SettingsWindow w;
        checkLayout(w.form.get());
    }

    // The proxy box and the reader's switches have rows of their own below the designed window:
    // nothing designed moved for them.
    void proxyBoxInARowBelowTheDesign()
    {
        SettingsWindow w;
        const int designedHeight = 7380 / 15;
        const auto *label = w.field<QLabel>("Label10");
        QCOMPARE(label->text(), QStringLiteral("代理:"));
        const QList<const QWidget *> added = {w.field<QLineEdit>("Proxy"), label, w.field<QCheckBox>("ReaderPage"),
                                              w.field<QCheckBox>("ScriptImg"), w.field<QCheckBox>("ChapterEnd")};
        for (const QWidget *element : added) {
            QVERIFY2(element->y() >= designedHeight, qPrintable(element->objectName()));
            QVERIFY2(w.form->rect().contains(element->geometry()), qPrintable(element->objectName()));
        }
        for (const QWidget *element : elementsOf(w.form.get())) {
            if (!added.contains(element))
                QVERIFY2(element->geometry().bottom() < designedHeight, qPrintable(element->objectName()));
        }
    }

    // Typed, the proxy is in force for the next request; saved, it is there at the next start.
    void proxyBoxBoundLive()
    {
        SettingsWindow w;
        NetworkSetup network;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("http_proxy"), QStringLiteral("http://127.0.0.1:3128"));
        QVERIFY(startNetwork(network, w.settings, w.dir.path(), {}, environment).isEmpty());
        const auto proxyFor = [&network] {
            const QNetworkProxy proxy = network.proxyRules().proxyFor(QUrl(QStringLiteral("http://comic.test/")));
            return proxy.type() == QNetworkProxy::NoProxy ? QStringLiteral("direct")
                                                          : proxy.hostName() + u':' + QString::number(proxy.port());
        };
        auto *box = w.field<QLineEdit>("Proxy");
        QCOMPARE(box->text(), QString());
        QCOMPARE(proxyFor(), QStringLiteral("127.0.0.1:3128"));

        QTest::keyClicks(box, QStringLiteral("socks5h://127.0.0.1:1080"));
        QCOMPARE(w.settings.proxy(), QStringLiteral("socks5h://127.0.0.1:1080"));
        QCOMPARE(proxyFor(), QStringLiteral("127.0.0.1:1080"));
        w.settings.setProxy(QStringLiteral("direct"));
        QCOMPARE(box->text(), QStringLiteral("direct"));
        QCOMPARE(proxyFor(), QStringLiteral("direct"));

        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("http://user:pw@10.0.0.1:8080"));
        w.press("pexbutton1");
        QVERIFY(readBytes(w.dir.filePath(QStringLiteral("Option.ini")))
                    .endsWith("UsingMode=Normal\r\nProxy=http://user:pw@10.0.0.1:8080\r\n"));
        Settings next;
        Mode nextMode;
        ScriptedMessageBox nextMessages;
        ScriptedInputBox nextInput;
        RecordingLauncher nextLauncher;
        LoadSettings(w.dir.path(), next, nextMode, nextMessages);
        Form3 again(w.dir.path(), next, nextMode, nextMessages, nextInput, nextLauncher);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("Proxy"))->text(),
                 QStringLiteral("http://user:pw@10.0.0.1:8080"));
    }

    // Keywords typed and not saved count for the next walk at once.
    // The reader's switches show the mode in force, and a click counts for the next walk at once.
    void readerSwitchesBoundLive()
    {
        SettingsWindow w;
        auto *readerPage = w.field<QCheckBox>("ReaderPage");
        auto *scriptImg = w.field<QCheckBox>("ScriptImg");
        auto *chapterEnd = w.field<QCheckBox>("ChapterEnd");
        QVERIFY(!readerPage->isChecked() && !scriptImg->isChecked() && !chapterEnd->isChecked());
        QVERIFY(LoadMode(w.dir.path(), QStringLiteral("Reader"), w.mode));
        QVERIFY(readerPage->isChecked() && scriptImg->isChecked() && chapterEnd->isChecked());
        chapterEnd->click();
        QVERIFY(!w.mode.chapterEnd());
        QVERIFY(w.mode.readerPage());
        QVERIFY(readerPage->geometry().top() >= w.field<QLineEdit>("Proxy")->geometry().bottom());
    }

    void keywordEditsUsedByTheNextWalk()
    {
        WalkParts<FakePageFetcher> parts;
        SettingsWindow w(parts.settings, parts.mode);
        const QString address = QStringLiteral("http://host/c/1.html");
        parts.fetcher.setPage(
            address, QStringLiteral("<html><head><title>t</title></head><body>"
                                    "<img src=\"http://host/p/ad.jpg\"><img src=\"http://host/p/1.jpg\">"
                                    "</body></html>"));
        auto walk = [&parts, &address] {
            QString list;
            parts.walk.BuildImageList(address, parts.board.addTask(QStringLiteral("t"), address), list);
            return list;
        };
        QCOMPARE(walk(), QStringLiteral("http://host/p/ad.jpg\r\nhttp://host/p/1.jpg\r\n"));

        auto *bi = w.field<QLineEdit>("BI");
        bi->setFocus();
        bi->end(false);
        QTest::keyClicks(bi, QStringLiteral(",ad"));
        QCOMPARE(parts.mode.blockImg(), QStringLiteral("logo,bar,icons,shadow,avatars,ad"));
        QCOMPARE(walk(), QStringLiteral("http://host/p/1.jpg\r\n"));
        // Nothing was saved: the mode file still holds the old keywords.
        QVERIFY(!readBytes(w.dir.filePath(QStringLiteral("Mode/Normal.tdm"))).contains("avatars,ad"));
    }

    // "abc" as the retry count: saved as typed, the window closes, the next start shows 50.
    void retryCountRoundTrip()
    {
        SettingsWindow w;
        w.form->show();
        auto *rec = w.field<QLineEdit>("Rec");
        rec->selectAll();
        QTest::keyClicks(rec, QStringLiteral("abc"));
        QCOMPARE(w.settings.resetText(), QStringLiteral("abc"));
        QCOMPARE(w.settings.reset(), qint16(5)); // the count in use changes only at the next start
        w.press("pexbutton1");
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.messages.shown.size(), 1);
        QCOMPARE(w.messages.shown[0].text, QStringLiteral("设置已经成功保存!"));
        QVERIFY(readBytes(w.dir.filePath(QStringLiteral("Option.ini"))).startsWith("Reset=abc\r\n"));

        Settings next;
        Mode nextMode;
        ScriptedMessageBox nextMessages;
        ScriptedInputBox nextInput;
        RecordingLauncher nextLauncher;
        LoadSettings(w.dir.path(), next, nextMode, nextMessages);
        Form3 again(w.dir.path(), next, nextMode, nextMessages, nextInput, nextLauncher);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("Rec"))->text(), QStringLiteral("50"));
    }

    // Option4 and Option2, Update, the others chosen, then Load: Option4 and Option2 are back.
    void optionsUpdateAndLoad()
    {
        SettingsWindow w;
        w.field<QRadioButton>("Option4")->click();
        w.field<QRadioButton>("Option2")->click();
        QVERIFY(w.mode.kwUsing());
        QVERIFY(w.mode.downMode());
        w.press("pexbutton3");
        QCOMPARE(w.messages.shown.size(), 1);
        QCOMPARE(w.messages.shown[0].text, QStringLiteral("模式已经成功更新!"));

        w.field<QRadioButton>("Option3")->click();
        w.field<QRadioButton>("Option1")->click();
        QVERIFY(!w.mode.kwUsing());
        QVERIFY(!w.mode.downMode());
        QVERIFY(w.field<FileList>("File1")->selectEntry(QStringLiteral("Normal.tdm")));
        w.press("pexbutton2");
        QCOMPARE(w.messages.shown.size(), 1);
        QVERIFY(w.field<QRadioButton>("Option4")->isChecked());
        QVERIFY(w.field<QRadioButton>("Option2")->isChecked());
        QVERIFY(w.mode.kwUsing());
        QVERIFY(w.mode.downMode());
    }

    void loadWithNothingSelected()
    {
        SettingsWindow w;
        w.press("pexbutton2");
        QCOMPARE(w.messages.shown.size(), 1);
        QCOMPARE(w.messages.shown[0].text, QStringLiteral("指定的模式文件读入失败!"));
    }

    // The list follows Save as, Delete and Refresh; Save as leaves the active mode alone.
    void modeListFollowsTheFiles()
    {
        SettingsWindow w;
        w.input.answers = {QStringLiteral("新模式")};
        w.press("pexbutton4");
        QCOMPARE(w.listed(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm"), QStringLiteral("新模式.tdm")}));
        QCOMPARE(w.field<QLabel>("NM")->text(), QStringLiteral("Normal"));

        QVERIFY(w.field<FileList>("File1")->selectEntry(QStringLiteral("新模式.tdm")));
        w.messages.answers = {MessageBox::Answer::Yes};
        w.press("pexbutton5");
        QCOMPARE(w.listed(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));

        QVERIFY(writeBytes(w.dir.filePath(QStringLiteral("Mode/Other.TDM")), "BlockImg=x\r\n"));
        QVERIFY(writeBytes(w.dir.filePath(QStringLiteral("Mode/notes.txt")), "x"));
        QCOMPARE(w.listed(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Reader.tdm")}));
        w.press("pexbutton7");
        QCOMPARE(w.listed(), (QStringList{QStringLiteral("Normal.tdm"), QStringLiteral("Other.TDM"), QStringLiteral("Reader.tdm")}));
    }

    // A mode loaded anywhere shows in the fields at once.
    void loadedModeShowsAtOnce()
    {
        SettingsWindow w;
        QVERIFY(writeBytes(w.dir.filePath(QStringLiteral("Mode/Site.tdm")),
                           "BlockUrl=u\r\nBlockImg=i\r\nSearchKW=k\r\nKWUsing=True\r\nDownMode=True\r\n"));
        QVERIFY(LoadMode(w.dir.path(), QStringLiteral("Site"), w.mode));
        QCOMPARE(w.field<QLineEdit>("BI")->text(), QStringLiteral("i"));
        QCOMPARE(w.field<QLineEdit>("Bu")->text(), QStringLiteral("u"));
        QCOMPARE(w.field<QLineEdit>("SKW")->text(), QStringLiteral("k"));
        QVERIFY(w.field<QRadioButton>("Option4")->isChecked());
        QVERIFY(w.field<QRadioButton>("Option2")->isChecked());
        QCOMPARE(w.field<QLabel>("NM")->text(), QStringLiteral("Site"));
    }

    // The indeterminate state comes only from the option file; a click toggles on and off.
    void openFolderCheckBox()
    {
        SettingsWindow w;
        auto *ds = w.field<QCheckBox>("DS");
        w.settings.setAutoOpen(2);
        QCOMPARE(ds->checkState(), Qt::PartiallyChecked);
        ds->click();
        QCOMPARE(w.settings.autoOpen(), 1);
        ds->click();
        QCOMPARE(w.settings.autoOpen(), 0);
        ds->click();
        QCOMPARE(w.settings.autoOpen(), 1);
        QCOMPARE(ds->checkState(), Qt::Checked);
    }

    void closingHidesAndKeepsTheFields()
    {
        SettingsWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        const QPoint placed = w.form->pos();
        auto *skw = w.field<QLineEdit>("SKW");
        QTest::keyClicks(skw, QStringLiteral("comic"));
        w.field<QCheckBox>("Check2")->click();
        QVERIFY(w.form->close());
        QVERIFY(!w.form->isVisible());
        w.form->show();
        QCOMPARE(skw->text(), QStringLiteral("comic"));
        QCOMPARE(w.mode.searchKW(), QStringLiteral("comic"));
        QVERIFY(w.field<QCheckBox>("Check2")->isChecked());
        QCOMPARE(w.field<QLineEdit>("BI")->text(), QStringLiteral("logo,bar,icons,shadow,avatars"));
        QCOMPARE(w.form->pos(), placed);
    }

    void modesPage()
    {
        qunsetenv("TAVRIN_UPDATE_URL");
        SettingsWindow w;
        w.press("pexbutton6");
        QCOMPARE(w.launcher.calls, QStringList{QStringLiteral("web:https://tavrin.example/down#mode")});
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
