#include "app/appfolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAppFolder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void choice()
    {
        QTemporaryDir program, option, env;
        QProcessEnvironment environment;
        const QStringList plain{QStringLiteral("tavrin")};

        QCOMPARE(resolveAppFolder(plain, environment, program.path()), QDir(program.path()).absolutePath());

        environment.insert(QStringLiteral("TAVRIN_APP_FOLDER"), env.path());
        QCOMPARE(resolveAppFolder(plain, environment, program.path()), env.path());

        const QStringList withOption{QStringLiteral("tavrin"), QStringLiteral("--app-folder"), option.path()};
        QCOMPARE(resolveAppFolder(withOption, environment, program.path()), option.path());
        const QStringList joined{QStringLiteral("tavrin"), QStringLiteral("--app-folder=") + option.path()};
        QCOMPARE(resolveAppFolder(joined, environment, program.path()), option.path());
    }

    void missingProgramFolderFallsBackToUserData()
    {
        const QString folder =
            resolveAppFolder({QStringLiteral("tavrin")}, {}, QStringLiteral("/nonexistent/tavrin"));
        QCOMPARE(folder,
                 QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).absolutePath());
        QVERIFY(QFileInfo(folder).isDir());
    }
};

QTEST_GUILESS_MAIN(TestAppFolder)
#include "tst_appfolder.moc"
