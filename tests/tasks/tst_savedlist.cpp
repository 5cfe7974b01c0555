#include "app/optionfile.h"
#include "fakeboard.h"
#include "scriptedmessagebox.h"
#include "tasks/savedlist.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Warning = QStringLiteral("请选择一个合法的文件夹!");
const QString Loaded = QStringLiteral("列表已载入，等待启动");

// An app folder whose Download folder holds task folders with and without a list file.
struct SavedLists
{
    QTemporaryDir dir;
    FakeBoard board;
    ScriptedMessageBox messages;

    SavedLists()
    {
        list(QStringLiteral("第一话"), QStringLiteral("down.lst"));
        list(QStringLiteral("Capital"), QStringLiteral("Down.lst"));
        list(QStringLiteral("Shouting"), QStringLiteral("DOWN.LST"));
        list(QStringLiteral("Outer/Inner"), QStringLiteral("Down.lst"));
        QDir(download()).mkpath(QStringLiteral("Empty"));
        QDir(download()).mkpath(QStringLiteral("Fake/down.lst")); // a folder, not a list file
    }
    QString download() const { return dir.filePath(QStringLiteral("Download")); }
    QString folder(const QString &relative) const
    {
        return relative.isEmpty() ? download() : download() + u'/' + relative;
    }
    void list(const QString &relative, const QString &fileName)
    {
        QVERIFY(writeBytes(folder(relative) + u'/' + fileName, "http://127.0.0.1/1.jpg\r\n\r\n"));
    }
    bool add(const QString &chosen, const QString &current)
    {
        return addSavedListTask(folder(chosen), folder(current), board, messages);
    }
};

} // namespace

class TestSavedList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void click_data()
    {
        QTest::addColumn<QString>("current"); // relative to Download
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("title"); // empty: the warning, no task
        QTest::newRow("task folder") << QString() << QStringLiteral("第一话") << QStringLiteral("第一话");
        QTest::newRow("Down.lst with a capital")
            << QString() << QStringLiteral("Capital") << QStringLiteral("Capital");
        QTest::newRow("DOWN.LST") << QString() << QStringLiteral("Shouting") << QStringLiteral("Shouting");
        QTest::newRow("folder without a list") << QString() << QStringLiteral("Empty") << QString();
        QTest::newRow("down.lst that is a folder") << QString() << QStringLiteral("Fake") << QString();
        QTest::newRow("Download itself") << QString() << QString() << QString();
        QTest::newRow("subfolder after entering its parent")
            << QStringLiteral("Outer") << QStringLiteral("Outer/Inner") << QStringLiteral("Inner");
    }
    void click()
    {
        QFETCH(QString, current);
        QFETCH(QString, chosen);
        QFETCH(QString, title);
        SavedLists s;
        const bool added = s.add(chosen, current);
        QCOMPARE(added, !title.isEmpty());
        if (!added) {
            QCOMPARE(s.messages.shown.size(), 1);
            QCOMPARE(s.messages.shown[0].text, Warning);
            QCOMPARE(s.messages.shown[0].title, QStringLiteral("Tavrin漫画下载器"));
            QCOMPARE(s.messages.shown[0].buttons, MessageBox::Buttons::Ok);
            QCOMPARE(s.messages.shown[0].icon, MessageBox::Icon::Warning);
            QCOMPARE(s.board.Count(), qint16(0));
            return;
        }
        QVERIFY(s.messages.shown.isEmpty());
        QCOMPARE(s.board.Count(), qint16(1));
        const FakeBoard::Task &task = s.board.task(0);
        QCOMPARE(task.title, title);
        QCOMPARE(task.url, QStringLiteral("列表"));
        QCOMPARE(task.states, QStringList{Loaded});
        QCOMPARE(task.progress, 0.0);
    }

    void sameFolderTwiceMakesTwoTasks()
    {
        SavedLists s;
        QVERIFY(s.add(QStringLiteral("第一话"), QString()));
        QVERIFY(s.add(QStringLiteral("第一话"), QString()));
        QCOMPARE(s.board.Count(), qint16(2));
        QCOMPARE(s.board.task(1).title, QStringLiteral("第一话"));
        QCOMPARE(s.board.task(1).state, Loaded);
    }

    void titleTakesOutEveryCurrentFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("title");
        QTest::newRow("direct subfolder") << "/a/Download/T"
                                          << "/a/Download"
                                          << "T";
        QTest::newRow("deeper folder keeps its path") << "/a/Download/T/S"
                                                      << "/a/Download"
                                                      << "T/S";
        QTest::newRow("case counts") << "/a/download/T"
                                     << "/a/Download"
                                     << "/a/download/T";
        QTest::newRow("current folder itself") << "/a/Download"
                                               << "/a/Download"
                                               << "/a/Download";
        QTest::newRow("every occurrence") << "/x/y/x/z"
                                          << "/x"
                                          << "yz";
    }
    void titleTakesOutEveryCurrentFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, current);
        QFETCH(QString, title);
        QCOMPARE(savedListTitle(chosen, current), title);
    }

    void startsInDownloadFoundWithoutCase()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("download")));
        QCOMPARE(savedListStartFolder(dir.path()), dir.filePath(QStringLiteral("download")));
        QCOMPARE(savedListStartFolder(dir.path()), downloadFolder(dir.path()));
    }
};

QTEST_GUILESS_MAIN(TestSavedList)
#include "tst_savedlist.moc"
