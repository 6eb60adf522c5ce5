// The pieces of the program shell that touch the machine: the instance lock, the folders and
// the locale dates and numbers are shown in.

#include "app/appfolders.h"
#include "app/instanceguard.h"
#include "app/tempreportfiles.h"
#include "classdata/displaylocale.h"
#include "testsupport.h"

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
        const QString documents = QDir(docs.path()).filePath(QStringLiteral("Markwart"));
        // An installed program keeps its classes in the documents folder ...
        QCOMPARE(AppFolders::chooseProgramFolder(exe.path(), docs.path()), documents);
        // ... a copy with classes beside it from earlier use keeps them there ...
        QVERIFY(TestSupport::writeBytes(exe.filePath(QStringLiteral("7b.MWK")), "x"));
        QCOMPARE(AppFolders::chooseProgramFolder(exe.path(), docs.path()),
                 QDir::cleanPath(exe.path()));
        // ... and so does a copy marked portable.
        QTemporaryDir stick;
        QVERIFY(TestSupport::writeBytes(stick.filePath(QStringLiteral("portable"))));
        QCOMPARE(AppFolders::chooseProgramFolder(stick.path(), docs.path()),
                 QDir::cleanPath(stick.path()));
        const QString gone = exe.filePath(QStringLiteral("nicht/da"));
        QCOMPARE(AppFolders::chooseProgramFolder(gone, docs.path()),
                 QDir(docs.path()).filePath(QStringLiteral("Markwart")));

        const QString folder = QDir(docs.path()).filePath(QStringLiteral("Markwart"));
        AppFolders::ensureProgramFolder(folder);
        QVERIFY(QDir(folder).exists(QStringLiteral("Fotos")));

        // Reports never go to the current folder, also when the temporary one is missing.
        const QByteArray temp = qgetenv("TMPDIR");
        qputenv("TMPDIR", exe.filePath(QStringLiteral("weg")).toLocal8Bit());
        const QString reports = AppFolders::reportFolder();
        qputenv("TMPDIR", temp);
        QVERIFY2(QDir::isAbsolutePath(reports), qPrintable(reports));
    }

    void shutdownLeavesOnlyTheWordDocuments()
    {
        QTemporaryDir folder;
        const QStringList gone{"Druck.doc",    "Druck.html",      "Bild.bmp",
                               "Sitzplan.jpg", "Druck/druck.bmp", "alt.doc"};
        const QStringList kept{"Fachergebnisse Deutsch 7b.docx", "Deutsch, 7b.docx"};
        QVERIFY(QDir(folder.path()).mkpath("Druck"));
        for (const QString &name : gone + kept)
            QVERIFY(TestSupport::writeBytes(folder.filePath(name)));
        TempReportFiles::removeAll(folder.path());
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(folder.filePath(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(folder.filePath(name)), qPrintable(name));
    }

    void germanDatesAndNumbers()
    {
        for (const char *name : {"en_US", "C", "de_AT", "de_CH"})
            QCOMPARE(DisplayLocale::choose(QLocale(QLatin1String(name))).name(),
                     name[0] == 'd' ? QLatin1String(name) : QLatin1String("de_DE"));

        DisplayLocale::install(QLocale(QStringLiteral("en_GB")));
        const QDate day(2026, 12, 6);
        QCOMPARE(DisplayLocale::shortDate(day), "06.12.2026");
        QCOMPARE(QLocale().toString(2.7, 'f', 1), "2,7");
        for (const char *text : {"06.12.2026", " 6.12.2026", "06.12.26"})
            QCOMPARE(DisplayLocale::readDate(QLatin1String(text)), day);
        QVERIFY(!DisplayLocale::readDate(QStringLiteral("Thema")).isValid());
        QLocale::setDefault(QLocale::system());
    }
};

QTEST_GUILESS_MAIN(TestAppShell)
#include "tst_appshell.moc"
