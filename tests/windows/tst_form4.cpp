#include "fakeboard.h"
#include "layoutcheck.h"
#include "scriptedmessagebox.h"
#include "testfiles.h"
#include "windows/folderlist.h"
#include "windows/form4.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Warning = QStringLiteral("请选择一个合法的文件夹!");

// An app folder whose download folder (spelt in lower case) holds a task folder with a list, a
// subfolder of it with a list, and a folder without one; the load-list window over it, shown.
struct LoadListWindow
{
    QTemporaryDir dir;
    FakeBoard board;
    ScriptedMessageBox messages;
    QString download = dir.filePath(QStringLiteral("download"));
    std::unique_ptr<Form4> form;
    FolderList *dir1 = nullptr;

    LoadListWindow()
    {
        QVERIFY(writeBytes(download + QStringLiteral("/T1/Down.lst"), "http://127.0.0.1/1.jpg\r\n\r\n"));
        QVERIFY(writeBytes(download + QStringLiteral("/T1/Sub/down.lst"), "http://127.0.0.1/2.jpg\r\n\r\n"));
        QVERIFY(QDir(download).mkpath(QStringLiteral("Plain")));
        form = std::make_unique<Form4>(dir.path(), board, messages);
        dir1 = form->findChild<FolderList *>(QStringLiteral("Dir1"));
        QVERIFY(dir1);
        open();
    }
    void open()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    // Where the entry for `folder` is, in the window's coordinates.
    QPoint entry(const QString &folder) const
    {
        QListWidgetItem *item = dir1->entryFor(folder);
        if (!item)
            qFatal("no entry for %s", qPrintable(folder));
        return dir1->viewport()->mapTo(form.get(), dir1->visualItemRect(item).center());
    }
    void click(const QString &folder) const
    {
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, entry(folder));
    }
    void doubleClick(const QString &folder) const
    {
        QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, entry(folder));
    }
    QStringList entries() const
    {
        QStringList shown;
        for (int row = 0; row < dir1->count(); ++row)
            shown.append(dir1->item(row)->text());
        return shown;
    }
};

// Long enough for a click to have acted if it were going to.
void waitPastDoubleClickTime()
{
    QTest::qWait(QApplication::doubleClickInterval() + 200);
}

} // namespace

class TestForm4 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAtDownload()
    {
        LoadListWindow w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("单击选择："));
        QCOMPARE(w.dir1->path(), w.download);
        // The path from the root down, then the subfolders.
        QStringList expected{QStringLiteral("/")};
        expected += w.download.split(u'/', Qt::SkipEmptyParts);
        expected += {QStringLiteral("Plain"), QStringLiteral("T1")};
        QCOMPARE(w.entries(), expected);
        checkLayout(w.form.get());
    }

    void click_data()
    {
        QTest::addColumn<QString>("folder"); // relative to the download folder
        QTest::addColumn<QString>("title");  // empty: the warning
        QTest::newRow("task folder with Down.lst") << QStringLiteral("T1") << QStringLiteral("T1");
        QTest::newRow("folder without a list") << QStringLiteral("Plain") << QString();
        QTest::newRow("the download folder's own entry") << QString() << QString();
    }
    void click()
    {
        QFETCH(QString, folder);
        QFETCH(QString, title);
        LoadListWindow w;
        w.click(folder.isEmpty() ? w.download : w.download + u'/' + folder);
        if (title.isEmpty()) {
            QTRY_COMPARE(w.messages.shown.size(), 1);
            QCOMPARE(w.messages.shown[0].text, Warning);
            QCOMPARE(w.messages.shown[0].icon, MessageBox::Icon::Warning);
            QCOMPARE(w.board.Count(), qint16(0));
            QVERIFY(w.form->isVisible());
            return;
        }
        QTRY_COMPARE(w.board.Count(), qint16(1));
        QCOMPARE(w.board.task(0).title, title);
        QCOMPARE(w.board.task(0).url, QStringLiteral("列表"));
        QCOMPARE(w.board.task(0).state, QStringLiteral("列表已载入，等待启动"));
        QCOMPARE(w.board.task(0).progress, 0.0);
        QVERIFY(w.messages.shown.isEmpty());
        QVERIFY(!w.form->isVisible());
    }

    // A double click enters the folder and does nothing else, though that folder holds a list;
    // a subfolder clicked there gives a task titled with its own name.
    void doubleClickEntersThenSubfolderIsAdded()
    {
        LoadListWindow w;
        const QString t1 = w.download + QStringLiteral("/T1");
        w.doubleClick(t1);
        QCOMPARE(w.dir1->path(), t1);
        QCOMPARE(w.entries().last(), QStringLiteral("Sub"));
        waitPastDoubleClickTime();
        QCOMPARE(w.board.Count(), qint16(0));
        QVERIFY(w.messages.shown.isEmpty());
        QVERIFY(w.form->isVisible());

        w.click(t1 + QStringLiteral("/Sub"));
        QTRY_COMPARE(w.board.Count(), qint16(1));
        QCOMPARE(w.board.task(0).title, QStringLiteral("Sub"));
        QVERIFY(!w.form->isVisible());
    }

    // Each opening starts at the download folder again; the same folder chosen again is a new task.
    void reopening()
    {
        LoadListWindow w;
        w.doubleClick(w.download + QStringLiteral("/Plain"));
        QCOMPARE(w.dir1->path(), w.download + QStringLiteral("/Plain"));
        w.form->close();
        w.open();
        QCOMPARE(w.dir1->path(), w.download);

        for (int opening = 1; opening <= 2; ++opening) {
            w.click(w.download + QStringLiteral("/T1"));
            QTRY_COMPARE(w.board.Count(), qint16(opening));
            QVERIFY(!w.form->isVisible());
            w.open();
        }
        QCOMPARE(w.board.task(1).title, QStringLiteral("T1"));
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
