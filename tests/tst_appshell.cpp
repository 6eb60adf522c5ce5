// The pieces of the program shell that touch the machine: the instance lock, the folders and
// the locale dates and numbers are shown in.

#include "app/appfolders.h"
#include "app/instanceguard.h"
#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "coursebook/coursebooksheet.h"

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

    void germanDatesAndNumbers()
    {
        QCOMPARE(DisplayLocale::choose(QLocale(QStringLiteral("en_US"))).name(), "de_DE");
        QCOMPARE(DisplayLocale::choose(QLocale::c()).name(), "de_DE");
        QCOMPARE(DisplayLocale::choose(QLocale(QStringLiteral("de_AT"))).name(), "de_AT");
        QCOMPARE(DisplayLocale::choose(QLocale(QStringLiteral("de_CH"))).name(), "de_CH");

        DisplayLocale::install(QLocale(QStringLiteral("en_GB")));
        const QDate day(2026, 12, 6);
        QCOMPARE(DisplayLocale::shortDate(day), "06.12.2026");
        QCOMPARE(QLocale().toString(2.7, 'f', 1), "2,7");
        for (const char *text : {"06.12.2026", " 6.12.2026", "06.12.26"})
            QCOMPARE(DisplayLocale::readDate(QLatin1String(text)), day);
        QVERIFY(!DisplayLocale::readDate(QStringLiteral("Thema")).isValid());

        // The course book proposes today once, however the day's column was written.
        ClassDocument document;
        document.grid().setCell(49, 598, QStringLiteral("6.12.26"));
        CourseBookSheet sheet(document, 1);
        sheet.show(day.addDays(-1));
        QCOMPARE(sheet.table().cell(4, 0), "05.12.2026");
        document.grid().setCell(50, 598, QString());
        sheet.show(day);
        QCOMPARE(sheet.table().cell(4, 0), QString());
        QCOMPARE(sheet.cursor(), QPoint(4, 1));
        QLocale::setDefault(QLocale::system());
    }
};

QTEST_GUILESS_MAIN(TestAppShell)
#include "tst_appshell.moc"
