// The pieces of the program shell that touch the machine: the instance lock and the folders.

#include "app/appfolders.h"
#include "app/instanceguard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestAppShell : public QObject
{
    Q_OBJECT

private slots:
    void onlyOneInstance()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<InstanceGuard>(dir.path());
        QVERIFY(first->tryAcquire());
        QVERIFY(first->tryAcquire()); // asking again keeps the lock
        QVERIFY(first->lockFilePath().contains(QStringLiteral("Markwart-")));

        InstanceGuard second(dir.path());
        QVERIFY(!second.tryAcquire());
        first.reset(); // the first instance ends
        QVERIFY(second.tryAcquire());
    }

    void programFolderFallsBackToDocuments()
    {
        QTemporaryDir exe;
        QTemporaryDir docs;
        QCOMPARE(AppFolders::chooseProgramFolder(exe.path(), docs.path()),
                 QDir::cleanPath(exe.path()));
        const QString gone = exe.filePath(QStringLiteral("nicht/da"));
        QCOMPARE(AppFolders::chooseProgramFolder(gone, docs.path()),
                 QDir(docs.path()).filePath(QStringLiteral("Markwart")));

        const QString folder = QDir(docs.path()).filePath(QStringLiteral("Markwart"));
        AppFolders::ensureProgramFolder(folder);
        QVERIFY(QDir(folder).exists(QStringLiteral("Fotos")));
    }
};

QTEST_GUILESS_MAIN(TestAppShell)
#include "tst_appshell.moc"
