#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "controls/button/pexbutton.h"
#include "controls/downbar/zanvodownbar.h"
#include "controls/tasklist/zanvolist.h"
#include "fakedownloader.h"
#include "fakepagefetcher.h"
#include "recordinglauncher.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "tasks/taskcore.h"
#include "testfiles.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/inputlock.h"
#include "windows/mainwindow.h"
#include "windows/newtaskpanel.h"
#include "windows/statuslabel.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct WindowRig
{
    QTemporaryDir appFolder;
    Settings settings;
    Mode mode;
    RunFlags flags;
    FakePageFetcher fetcher;
    ScriptedMessageBox messages;
    ScriptedInputBox input;
    RecordingLauncher launcher;
    FakeDownloader *downloader = nullptr;
    QString clipboard;
    int quits = 0;
    std::unique_ptr<MainWindow> window;

    WindowRig()
    {
        QDir(appFolder.path()).mkpath(QStringLiteral("Download"));
        window = std::make_unique<MainWindow>(MainWindow::Services{
            appFolder.path(), settings, mode, flags, fetcher, messages, input, launcher,
            [this](TaskBoard &, StatusLine &) {
                auto made = std::make_unique<FakeDownloader>();
                downloader = made.get();
                return made;
            }});
        window->clipboardText = [this] { return clipboard; };
        window->quitProgram = [this] { ++quits; };
    }

    // The window's own buttons and the panel's (the other windows have buttons of the same names).
    pexbutton &button(const QString &name) const
    {
        const bool inPanel = name == u"pexbutton1" || name == u"pexbutton2" || name == u"pexbutton5";
        const QWidget *owner = inPanel ? static_cast<QWidget *>(&panel()) : window.get();
        return *owner->findChild<pexbutton *>(name, Qt::FindDirectChildrenOnly);
    }
    void click(const QString &name) const { QTest::mouseClick(&button(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    void clickBar(qint16 index) const
    {
        QTest::mouseClick(window->taskList().Down(index), Qt::LeftButton, {}, QPoint(5, 5));
    }
    NewTaskPanel &panel() const { return window->newTaskPanel(); }
};

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsInPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("inPanel"); // placed in the panel (the bars have labels of the same names)
        QTest::newRow("title strip") << "Label5" << QRect(0, 0, 313, 33) << false;
        QTest::newRow("minimise") << "pexbutton7" << QRect(312, 0, 73, 32) << false;
        QTest::newRow("exit") << "pexbutton6" << QRect(384, 0, 77, 32) << false;
        QTest::newRow("task list") << "ZanvoList1" << QRect(0, 40, 460, 384) << false;
        QTest::newRow("panel") << "Downs" << QRect(48, 144, 369, 170) << false;
        QTest::newRow("add task") << "Command1" << QRect(24, 448, 105, 25) << false;
        QTest::newRow("start") << "Command2" << QRect(168, 448, 113, 25) << false;
        QTest::newRow("pause") << "Command4" << QRect(320, 448, 113, 25) << false;
        QTest::newRow("delete") << "pexbutton3" << QRect(24, 496, 105, 25) << false;
        QTest::newRow("settings") << "Command3" << QRect(168, 496, 113, 25) << false;
        QTest::newRow("help") << "pexbutton4" << QRect(320, 496, 113, 25) << false;
        QTest::newRow("notice") << "Label3" << QRect(24, 16, 321, 33) << true;
        QTest::newRow("prompt") << "Label1" << QRect(24, 56, 289, 17) << true;
        QTest::newRow("panel add") << "pexbutton1" << QRect(24, 112, 89, 33) << true;
        QTest::newRow("panel cancel") << "pexbutton2" << QRect(136, 112, 89, 33) << true;
        QTest::newRow("panel open list") << "pexbutton5" << QRect(248, 112, 89, 33) << true;
        QTest::newRow("hidden list box") << "Text1" << QRect(16, 600, 681, 145) << false;
    }
    void controlsInPlace()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(bool, inPanel);
        WindowRig rig;
        const QWidget *owner = inPanel ? static_cast<QWidget *>(&rig.panel()) : rig.window.get();
        QWidget *control = owner->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
    }

    void startsReady()
    {
        WindowRig rig;
        QCOMPARE(rig.window->size(), QSize(461, 562));
        QVERIFY(rig.window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("Tavrin下载器"));
        QVERIFY(rig.panel().isHidden());
        QCOMPARE(rig.window->statusLabel().text(), QStringLiteral("就绪"));
        QCOMPARE(rig.window->statusLabel().pos(), QPoint(8, 536));
        QCOMPARE(rig.panel().address(), QStringLiteral("http://"));
        QCOMPARE(rig.window->shutdownBox().text(), QStringLiteral("任务完成后关闭计算机"));
    }

    void panelPicksUpTheClipboard()
    {
        WindowRig rig;
        rig.clipboard = QStringLiteral("http://comic.example/1.html");
        rig.click(QStringLiteral("Command1"));
        QVERIFY(rig.panel().isVisible() || !rig.panel().isHidden());
        QCOMPARE(rig.panel().address(), rig.clipboard);
        QCOMPARE(rig.panel().addressBox().selectedText(), rig.clipboard);
        // Another address in the box stays on activation.
        rig.clipboard = QStringLiteral("http://other.example/");
        rig.window->pickUpClipboard();
        QCOMPARE(rig.panel().address(), QStringLiteral("http://comic.example/1.html"));
    }

    void addFetchesTitleWithTheWindowLocked()
    {
        WindowRig rig;
        rig.fetcher.setPage(QStringLiteral("http://comic.example/1.html"), QStringLiteral("<title>第1话</title>"));
        bool lockedDuringFetch = false;
        bool lookUnchanged = false;
        rig.fetcher.duringFetch = [&](const QString &) {
            lockedDuringFetch = rig.window->inputLock().isLocked();
            // A click meanwhile reaches nothing, and the buttons look as they did.
            rig.click(QStringLiteral("Command4"));
            lookUnchanged = rig.button(QStringLiteral("Command4")).Enabled();
        };
        rig.click(QStringLiteral("Command1"));
        rig.panel().setAddress(QStringLiteral("comic.example/1.html"));
        rig.click(QStringLiteral("pexbutton1"));
        QVERIFY(lockedDuringFetch);
        QVERIFY(!rig.flags.pauseFlag);
        QVERIFY(lookUnchanged);
        QVERIFY(!rig.window->inputLock().isLocked());
        QVERIFY(rig.panel().isHidden());
        QCOMPARE(rig.panel().address(), QStringLiteral("http://comic.example/1.html"));
        QCOMPARE(rig.window->taskList().Count(), 1);
        QCOMPARE(rig.window->taskList().GetTitle(0), QStringLiteral("第1话"));
        QCOMPARE(rig.window->statusLabel().text(), QStringLiteral("就绪"));
        rig.click(QStringLiteral("Command1"));
        rig.click(QStringLiteral("pexbutton2"));
        QCOMPARE(rig.panel().address(), QStringLiteral("http://"));
        QVERIFY(rig.panel().isHidden());
    }

    void startListOnlyFromTheButtons()
    {
        WindowRig rig;
        rig.mode.setBlockUrl(QStringLiteral("javascript,void,download,class=,src="));
        rig.fetcher.setPage(QStringLiteral("http://c.example/1"),
                            QStringLiteral("<p><a href=\"http://c.example/2\"><img src=\"http://c.example/1.jpg\"></a>"));
        rig.fetcher.setPage(QStringLiteral("http://c.example/2"),
                            QStringLiteral("<p><a href=\"http://c.example/1\"><img src=\"http://c.example/2.jpg\"></a>"));
        qint16 index = 0;
        rig.window->board().Add(QStringLiteral("章节"), QStringLiteral("http://c.example/1"), index);
        rig.click(QStringLiteral("Command2")); // nothing picked: nothing starts
        QVERIFY(rig.fetcher.fetched.isEmpty());
        rig.clickBar(index);
        rig.click(QStringLiteral("Command2"));
        const QString list = QStringLiteral("http://c.example/1.jpg\r\nhttp://c.example/2.jpg\r\n");
        QCOMPARE(readBytes(rig.appFolder.filePath(QStringLiteral("Download/章节/Down.lst"))), (list + "\r\n").toLatin1());
        QCOMPARE(rig.window->listBox().toPlainText(), QStringLiteral("http://c.example/1.jpg\nhttp://c.example/2.jpg\n"));
        QCOMPARE(rig.window->taskList().Down(index)->Tagged(), QStringLiteral("列表获取完毕"));
        QCOMPARE(rig.launcher.calls.size(), 1);
    }

    void deleteNeedsAClickEachTime()
    {
        WindowRig rig;
        qint16 first = 0;
        qint16 second = 0;
        rig.window->board().Add(QStringLiteral("a"), QStringLiteral("http://a/"), first);
        rig.window->board().Add(QStringLiteral("b"), QStringLiteral("http://b/"), second);
        rig.clickBar(second);
        rig.click(QStringLiteral("pexbutton3"));
        QCOMPARE(rig.window->taskList().Count(), 1);
        qint16 third = 0;
        rig.window->board().Add(QStringLiteral("c"), QStringLiteral("http://c/"), third);
        rig.click(QStringLiteral("pexbutton3"));
        QCOMPARE(rig.window->taskList().Count(), 2);
        QCOMPARE(rig.window->taskList().GetTitle(third), QStringLiteral("c"));
    }

    void otherWindowsAreMadeOnceAndShownAgain()
    {
        WindowRig rig;
        QWidget *settings = static_cast<QWidget *>(&rig.window->settingsWindow());
        QVERIFY(!rig.window->aboutWindow());
        QVERIFY(!rig.window->loadListWindow());
        for (int i = 0; i < 2; ++i) {
            rig.click(QStringLiteral("Command3"));
            rig.click(QStringLiteral("pexbutton4"));
            rig.click(QStringLiteral("Command1"));
            rig.click(QStringLiteral("pexbutton5"));
        }
        QCOMPARE(static_cast<QWidget *>(&rig.window->settingsWindow()), settings);
        QVERIFY(settings->isVisible());
        QVERIFY(static_cast<QWidget *>(rig.window->aboutWindow())->isVisible());
        QVERIFY(static_cast<QWidget *>(rig.window->loadListWindow())->isVisible());
        QVERIFY(rig.panel().isHidden());
        QCOMPARE(rig.window->findChildren<Form2 *>().size(), 1);
        QCOMPARE(rig.window->findChildren<Form4 *>().size(), 1);
    }

    void pauseAndShutdownBox()
    {
        WindowRig rig;
        rig.click(QStringLiteral("Command4"));
        QVERIFY(rig.flags.pauseFlag);
        rig.window->shutdownBox().setChecked(true);
        QVERIFY(rig.flags.shutdownWhenDone);
        rig.window->shutdownBox().setChecked(false);
        QCOMPARE(rig.launcher.calls, QStringList{QStringLiteral("cancel-shutdown")});
    }

    void exitQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("quits");
        QTest::newRow("no") << int(MessageBox::Answer::No) << 0;
        QTest::newRow("yes") << int(MessageBox::Answer::Yes) << 1;
    }
    void exitQuestion()
    {
        QFETCH(int, answer);
        QFETCH(int, quits);
        WindowRig rig;
        rig.messages.answers = {MessageBox::Answer(answer)};
        rig.click(QStringLiteral("pexbutton6"));
        QCOMPARE(rig.messages.shown.size(), 1);
        QCOMPARE(rig.messages.shown.first().text, QStringLiteral("确定要退出程序吗?\r\n任务进度将会丢失!"));
        QCOMPARE(rig.quits, quits);
        QCOMPARE(rig.downloader->aborts, quits);
    }

    void desktopCloseAsksToo()
    {
        WindowRig rig;
        rig.window->show();
        rig.messages.answers = {MessageBox::Answer::No};
        QVERIFY(!rig.window->close());
        QCOMPARE(rig.messages.shown.size(), 1);
        QCOMPARE(rig.quits, 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
