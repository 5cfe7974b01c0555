#include "tasks/comicarchive.h"
#include "testfiles.h"
#include "zipentries.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// The title and page count a comic reader finds in ComicInfo.xml; empty when it is no XML.
std::pair<QString, QString> readComicInfo(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QString title;
    QString pages;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"Title")
            title = reader.readElementText();
        else if (reader.name() == u"PageCount")
            pages = reader.readElementText();
    }
    if (reader.hasError())
        return {};
    return {title, pages};
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

    void comicInfoCarriesAnyTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("read"); // the title a reader finds
        QTest::newRow("plain") << QStringLiteral("第1话") << QStringLiteral("第1话");
        QTest::newRow("markup and quotes") << QStringLiteral("<b>\"A\" & 'B'</b>") << QStringLiteral("<b>\"A\" & 'B'</b>");
        QTest::newRow("placeholders in the title") << QStringLiteral("第%2话 %1") << QStringLiteral("第%2话 %1");
        QTest::newRow("control characters left out")
            << QStringLiteral("a\x01" "b\x0B" "c\x1F\td") << QStringLiteral("abc\td");
        QTest::newRow("noncharacters and a lone surrogate left out")
            << (QStringLiteral("x") + QChar(0xFFFE) + QChar(0xD800) + QStringLiteral("y") + QChar(0xDC00))
            << QStringLiteral("xy");
        QTest::newRow("a character beyond the first plane kept")
            << QString::fromUcs4(U"漫画\U0001F600") << QString::fromUcs4(U"漫画\U0001F600");
    }
    void comicInfoCarriesAnyTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, read);
        QCOMPARE(readComicInfo(comicInfoXml(title, 12)), std::make_pair(read, QStringLiteral("12")));
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
