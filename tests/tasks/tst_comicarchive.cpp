#include "tasks/comicarchive.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <zip.h>

namespace {

struct Entry
{
    QString name;
    QByteArray bytes;
};

QList<Entry> readArchive(const QString &path)
{
    QList<Entry> entries;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        entries.append({QString::fromUtf8(stat.name), bytes});
    }
    zip_close(archive);
    return entries;
}

} // namespace

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

        const QList<Entry> entries = readArchive(path);
        QCOMPARE(entries.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(entries[i].name, QFileInfo(files[i]).fileName());
            QCOMPARE(entries[i].bytes, readBytes(files[i]));
        }
        QCOMPARE(entries[3].name, QStringLiteral("ComicInfo.xml"));
        QVERIFY(entries[3].bytes.contains("<Title>第1话 &lt;A&amp;B&gt;</Title>"));
        QVERIFY(entries[3].bytes.contains("<PageCount>3</PageCount>"));
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
