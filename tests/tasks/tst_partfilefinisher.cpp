#include "tasks/partfilefinisher.h"
#include "testfiles.h"

#include <memory>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPartFileFinisher final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString path(const QString &name) const { return m_folder.filePath(name); }
    QStringList files() const { return QDir(m_folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name); }

private Q_SLOTS:
    void init() { QVERIFY(QDir(m_folder.path()).removeRecursively() && QDir().mkpath(m_folder.path())); }

    void filesTakeTheirNames_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("many at once") << 50;
    }
    void filesTakeTheirNames()
    {
        QFETCH(int, count);
        PartFileFinisher finisher;
        QSignalSpy settled(&finisher, &PartFileFinisher::settled);
        QVERIFY(writeBytes(path(QStringLiteral("1.jpg")), QByteArray(50000, 'o'))); // an older, longer one
        for (int k = 1; k <= count; ++k) {
            QVERIFY(writeBytes(path(QStringLiteral("%1.jpg.part").arg(k)), "image " + QByteArray::number(k)));
            finisher.add(path(QStringLiteral("%1.jpg.part").arg(k)), path(QStringLiteral("%1.jpg").arg(k)), k - 1);
        }
        QTRY_VERIFY(finisher.isIdle());
        QTRY_VERIFY(!settled.isEmpty());
        QCOMPARE(files().size(), count);
        for (int k = 1; k <= count; ++k)
            QCOMPARE(readBytes(path(QStringLiteral("%1.jpg").arg(k))), "image " + QByteArray::number(k));
        QVERIFY(finisher.takeFailures().isEmpty());
    }

    // A file that cannot be finished is named by its image, and no part of it stays; the others
    // are not held up.
    void failuresAreReported()
    {
        PartFileFinisher finisher;
        QVERIFY(QDir().mkpath(path(QStringLiteral("2.jpg/inside"))));
        for (const char *name : {"1.jpg.part", "2.jpg.part", "4.jpg.part"})
            QVERIFY(writeBytes(path(QString::fromLatin1(name)), "bytes"));
        finisher.add(path(QStringLiteral("1.jpg.part")), path(QStringLiteral("1.jpg")), 0);
        finisher.add(path(QStringLiteral("2.jpg.part")), path(QStringLiteral("2.jpg")), 1); // a folder holds the name
        finisher.add(path(QStringLiteral("3.jpg.part")), path(QStringLiteral("3.jpg")), 2); // gone meanwhile
        finisher.add(path(QStringLiteral("4.jpg.part")), path(QStringLiteral("4.jpg")), 3);
        finisher.waitForDone();
        QVERIFY(finisher.isIdle());
        QList<qint32> failed;
        for (const PartFileFinisher::Failure &failure : finisher.takeFailures()) {
            failed.append(failure.image);
            QVERIFY2(failure.description.startsWith(QStringLiteral("写入文件失败:")) &&
                         failure.description.size() > 7,
                     qPrintable(failure.description));
        }
        std::sort(failed.begin(), failed.end());
        QCOMPARE(failed, (QList<qint32>{1, 2}));
        QVERIFY(finisher.takeFailures().isEmpty());
        QCOMPARE(files(), (QStringList{QStringLiteral("1.jpg"), QStringLiteral("2.jpg"), QStringLiteral("4.jpg")}));
        QVERIFY(QFileInfo(path(QStringLiteral("2.jpg"))).isDir());
    }

    // Going away, it finishes what it was handed first.
    void finishesBeforeItGoes()
    {
        auto finisher = std::make_unique<PartFileFinisher>();
        for (int k = 1; k <= 20; ++k) {
            QVERIFY(writeBytes(path(QStringLiteral("%1.png.part").arg(k)), QByteArray(1000, char(k))));
            finisher->add(path(QStringLiteral("%1.png.part").arg(k)), path(QStringLiteral("%1.png").arg(k)), k - 1);
        }
        finisher.reset();
        QCOMPARE(files().size(), 20);
        for (int k = 1; k <= 20; ++k)
            QCOMPARE(readBytes(path(QStringLiteral("%1.png").arg(k))), QByteArray(1000, char(k)));
    }
};

QTEST_GUILESS_MAIN(TestPartFileFinisher)
#include "tst_partfilefinisher.moc"
