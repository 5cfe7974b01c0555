#include "tasks/imageend.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

Q_DECLARE_METATYPE(ImageEnd)

namespace {

// Filler with no 0xFF byte, as compressed picture data between markers is.
QByteArray filler(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + 7) % 255);
    return bytes;
}

QByteArray jpeg(qint64 size)
{
    return "\xFF\xD8\xFF\xE0" + filler(size) + "\xFF\xD9";
}

QByteArray png(qint64 size)
{
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + filler(size) + QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
}

QByteArray webp(qint64 size)
{
    QByteArray riff = "RIFF....WEBPVP8 " + filler(size);
    qToLittleEndian<quint32>(quint32(riff.size() - 8), riff.data() + 4);
    return riff;
}

} // namespace

class TestImageEnd final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tellsACutImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ImageEnd>("end");
        const auto whole = ImageEnd::Whole;
        const auto cut = ImageEnd::Cut;
        const auto unknown = ImageEnd::Unknown;

        QTest::newRow("jpeg whole") << jpeg(50000) << whole;
        QTest::newRow("jpeg cut") << jpeg(50000).left(30000) << cut;
        QTest::newRow("jpeg cut inside its end marker") << jpeg(50000).chopped(1) << cut;
        QTest::newRow("jpeg with bytes after its end") << jpeg(50000) + filler(300) << whole;
        // A thumbnail's end marker near the start does not make the picture whole.
        QTest::newRow("jpeg cut after a thumbnail")
            << QByteArray("\xFF\xD8\xFF\xE1" + filler(2000) + "\xFF\xD9" + filler(40000)) << cut;
        QTest::newRow("small jpeg whole") << jpeg(10) << whole;
        QTest::newRow("jpeg of its first bytes only") << QByteArray("\xFF\xD8\xFF") << cut;
        QTest::newRow("png whole") << png(50000) << whole;
        QTest::newRow("png cut") << png(50000).left(20000) << cut;
        QTest::newRow("png cut inside its last checksum") << png(50000).chopped(2) << cut;
        QTest::newRow("gif whole") << QByteArray("GIF89a" + filler(5000) + ";") << whole;
        QTest::newRow("gif87a whole, a line break after")
            << QByteArray("GIF87a" + filler(5000) + ";\r\n") << whole;
        QTest::newRow("gif cut") << QByteArray("GIF89a" + filler(5000)).replace(';', ':') << cut;
        QTest::newRow("webp whole") << webp(30000) << whole;
        QTest::newRow("webp cut") << webp(30000).chopped(1) << cut;
        QTest::newRow("webp header alone") << QByteArray("RIFF\xFF\xFF\xFF\x7FWEBP", 12) << cut;
        QTest::newRow("riff that is no webp") << QByteArray("RIFF\xFF\xFF\xFF\x7F"
                                                            "AVI ",
                                                            12)
                                              << unknown;
        QTest::newRow("unknown format") << filler(3000) << unknown;
        QTest::newRow("empty") << QByteArray() << unknown;
    }
    void tellsACutImage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ImageEnd, end);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("1.jpg.part"));
        QVERIFY(writeBytes(path, bytes));
        QCOMPARE(imageFileEnd(path), end);
    }

    void unreadableFileTellsNothing()
    {
        QCOMPARE(imageFileEnd(QStringLiteral("/nonexistent/1.jpg.part")), ImageEnd::Unknown);
    }
};

QTEST_GUILESS_MAIN(TestImageEnd)
#include "tst_imageend.moc"
