#include "tasks/comicarchive.h"
#include "testfiles.h"
#include "zipentries.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>


class TestComicArchive final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imagesInOrderThenComicInfo()
    {
        QTemporaryDir folder;
        QStringList files;
        for (const QString &name : {QStringLiteral("02.png"), QStringLiteral("01.jpg"), QStringLiteral("10")}) {
            files << folder.filePath(name);
            QVERIFY(writeBytes(files.last(), "bytes of " + name.toLatin1() + QByteArray(5000, '\x7f')));
        }
        const QString path = folder.filePath(QStringLiteral("第1话 <A&B>.cbz"));
        QCOMPARE(writeComicArchive(path, QStringLiteral("第1话 <A&B>"), files), std::nullopt);

        const QList<std::pair<QString, QByteArray>> entries = zipEntries(path);
        QCOMPARE(entries.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(entries[i].first, QFileInfo(files[i]).fileName());
            QCOMPARE(entries[i].second, readBytes(files[i]));
        }
        QCOMPARE(entries[3].first, QStringLiteral("ComicInfo.xml"));
        QVERIFY(entries[3].second.contains("<Title>第1话 &lt;A&amp;B&gt;</Title>"));
        QVERIFY(entries[3].second.contains("<PageCount>3</PageCount>"));
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    }

    void missingImageLeavesNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("c.cbz"));
        QVERIFY(writeBytes(path, "an older archive"));
        const std::optional<QString> failure =
            writeComicArchive(path, QStringLiteral("c"), {folder.filePath(QStringLiteral("gone.jpg"))});
        QVERIFY(failure);
        QCOMPARE(readBytes(path), QByteArray("an older archive"));
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    }
};

QTEST_GUILESS_MAIN(TestComicArchive)
#include "tst_comicarchive.moc"
