// Backups of saved classes, recovery after a crash and files changed by someone else.

#include "app/appsettings.h"
#include "app/backupstore.h"
#include "app/recoverystore.h"
#include "app/sessioncontroller.h"
#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "sessionfixture.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestSupport::cellOf;
using TestSupport::readBytes;

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DisplayLocale::install(QLocale(QStringLiteral("en_GB"))); }

    void init()
    {
        TestSupport::isolateSettings();
        m_dir = std::make_unique<QTemporaryDir>();
        m_class = path("7b.MWk");
        writeClassWithPupil(m_class, QStringLiteral("Müller, Jonas"));
    }

    void retentionKeepsRecentSavesAndOnePerDay()
    {
        QDateTime now;
        BackupStore store([&now] { return now; });
        const QDateTime start(QDate(2026, 9, 1), QTime(10, 0));
        // 40 days with three saves each, every backup holding its own bytes.
        for (int day = 0; day < 40; ++day) {
            for (int hour : {10, 12, 14}) {
                now = start.addDays(day).addSecs((hour - 10) * 3600);
                QVERIFY(TestSupport::writeBytes(m_class, now.toString(Qt::ISODate).toUtf8()));
                QVERIFY(store.keep(m_class));
            }
        }
        const QList<BackupStore::Backup> kept = store.list(m_class);
        // The 20 newest (days 33..39 less the first of day 33), and the last of each day
        // back to 30 days before the newest.
        QCOMPARE(kept.size(), 20 + 24);
        QCOMPARE(readBytes(kept.first().path), now.toString(Qt::ISODate).toUtf8());
        QCOMPARE(kept.at(19).time, start.addDays(33).addSecs(2 * 3600));
        QCOMPARE(kept.at(20).time, start.addDays(32).addSecs(4 * 3600));
        QCOMPARE(kept.last().time, start.addDays(9).addSecs(4 * 3600));
        QCOMPARE(readBytes(kept.last().path), kept.last().time.toString(Qt::ISODate).toUtf8());
        QCOMPARE(QDir(BackupStore::folderFor(m_class)).entryList(QDir::Files).size(), 44);

        // Saves in the same second keep apart, newest first.
        QVERIFY(TestSupport::writeBytes(m_class, "again"));
        QVERIFY(store.keep(m_class));
        QCOMPARE(store.list(m_class).first().time, now);
        QCOMPARE(readBytes(store.list(m_class).first().path), "again");
        QCOMPARE(store.list(m_class).size(), 44); // one of the oldest day went
    }

    void retentionAcrossHolidaysAndOtherClasses()
    {
        QDateTime now(QDate(2026, 6, 1), QTime(8, 0));
        BackupStore store([&now] { return now; });
        const QString other = path("7b_2026.MWk");
        writeClassWithPupil(other, QStringLiteral("Anders"));
        for (int i = 0; i < 5; ++i) {
            QVERIFY(store.keep(m_class));
            QVERIFY(store.keep(other));
            now = now.addSecs(60);
        }
        // After the holidays the last saves are still there, whatever their age.
        now = now.addDays(90);
        QVERIFY(store.keep(m_class));
        QCOMPARE(store.list(m_class).size(), 6);
        // A class whose name begins like another's has backups of its own.
        QCOMPARE(store.list(other).size(), 5);
        QVERIFY(store.keep(path("fehlt/gibtsnicht.MWk"))); // nothing to keep yet
        QVERIFY(!QFileInfo::exists(path("fehlt/Sicherungen")));

        const BackupStore::Backup small{QString(), QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)),
                                        12595};
        QCOMPARE(BackupStore::describe(small), "06.12.2026, 09:05:07 Uhr  –  12,3 KB");
    }

    void saveKeepsPreviousFileAndBackupLoadsUnsaved()
    {
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        const QByteArray original = readBytes(m_class);
        s.document.grid().setCell(0, 16, QStringLiteral("Neumann, Ida"));
        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(s.controller.backups().list(m_class).size(), 1);
        QCOMPARE(readBytes(s.controller.backups().list(m_class).first().path), original);

        // Unsaved changes are saved first, which keeps one more backup.
        s.document.grid().setCell(0, 16, QStringLiteral("Dritte, Lea"));
        s.prompts.answers << UserPrompts::Answer::Yes;
        s.prompts.items << 1; // the older one: the original file
        s.controller.loadBackup();
        QCOMPARE(s.prompts.itemLists.size(), 1);
        QCOMPARE(s.prompts.itemLists.first().size(), 2);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}, \\d\\d:\\d\\d:\\d\\d "
                                                  "Uhr  –  \\d+(,\\d)? (Bytes|KB)$"))
                    .match(s.prompts.itemLists.first().first())
                    .hasMatch());
        QCOMPARE(cellOf(m_class, 0, 16), "Dritte, Lea");
        QVERIFY(s.view.dialogVisible);
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        QCOMPARE(s.cell(0, 16), "Müller, Jonas");
        QVERIFY(!s.document.isSaved());
        QCOMPARE(s.controller.saveTarget(), m_class);
        QCOMPARE(QDir::fromNativeSeparators(s.document.loadedPath()), m_class);

        // Saving it replaces the current version: asked first, on the button and on close.
        const int asked = s.prompts.questions.size();
        s.prompts.answers << UserPrompts::Answer::Cancel;
        QVERIFY(!s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(s.prompts.questions.size(), asked + 1);
        QVERIFY(s.prompts.questions.last().contains(QStringLiteral("ersetzt")));
        s.prompts.answers << UserPrompts::Answer::Yes << UserPrompts::Answer::Cancel;
        QVERIFY(!s.controller.requestClose());
        QCOMPARE(cellOf(m_class, 0, 16), "Dritte, Lea");
        QVERIFY(!s.document.isSaved());

        s.prompts.answers << UserPrompts::Answer::Yes;
        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(cellOf(m_class, 0, 16), "Müller, Jonas");
        // Once replaced, saving is quiet again.
        s.document.grid().setCell(2, 16, QStringLiteral("x"));
        const int before = s.prompts.questions.size();
        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(s.prompts.questions.size(), before);
    }

    void recoveryAfterCrash()
    {
        const QByteArray saved = readBytes(m_class);
        {
            Session s(m_dir->path());
            QVERIFY(s.load(m_class, QStringLiteral("geheim")));
            s.document.setCurrentPerson(3);
            s.document.grid().setCell(0, 16, QStringLiteral("Neumann, Ida"));
            s.document.setPointsMode(false);
            s.controller.setRecoveryInterval(20);
            QTRY_VERIFY(s.controller.recovery().exists());
            // The open class is neither stamped nor marked saved.
            QVERIFY(!s.document.isSaved());
            QCOMPARE(s.document.currentPerson(), 3);
            QCOMPARE(s.cell(15, 599), "ja");
            QCOMPARE(s.cell(10, 33), "Neu");
            QCOMPARE(cellOf(s.controller.recovery().copyPath(), 15, 599), "nein");
            QCOMPARE(cellOf(s.controller.recovery().copyPath(), 0, 16), "Neumann, Ida");
            // No clean close: the session just ends.
        }
        QCOMPARE(readBytes(m_class), saved);

        Session s(m_dir->path());
        const QDateTime written = s.controller.recovery().writtenAt();
        s.prompts.yesNoAnswers << true;
        s.controller.onPaint();
        QCOMPARE(s.prompts.questions,
                 {QStringLiteral("Markwart wurde nicht ordnungsgemäß beendet. Ungespeicherte "
                                 "Änderungen vom %1 Uhr wiederherstellen?")
                      .arg(written.toString(QStringLiteral("dd.MM.yyyy, HH:mm")))});
        QVERIFY(s.view.dialogVisible);
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        QCOMPARE(s.cell(0, 16), "Neumann, Ida");
        QVERIFY(!s.document.pointsMode());
        QVERIFY(!s.document.isSaved());
        QCOMPARE(s.controller.saveTarget(), m_class);
        // Kept until the restored class is saved: a second crash loses nothing.
        QVERIFY(s.controller.recovery().exists());

        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(s.prompts.questions.size(), 1);
        QCOMPARE(cellOf(m_class, 0, 16), "Neumann, Ida");
        QVERIFY(!s.controller.recovery().exists());
    }

    void declinedOrStaleRecoveryBecomesBackup()
    {
        {
            Session s(m_dir->path());
            QVERIFY(s.load(m_class, QStringLiteral("geheim")));
            s.document.grid().setCell(0, 16, QStringLiteral("Neumann, Ida"));
            s.controller.writeRecoveryCopy();
        }
        Session s(m_dir->path());
        const QByteArray copy = readBytes(s.controller.recovery().copyPath());
        s.prompts.yesNoAnswers << false;
        s.controller.onPaint();
        QCOMPARE(s.prompts.questions.size(), 1);
        QVERIFY(!s.view.dialogVisible);
        QVERIFY(!s.controller.recovery().exists());
        QCOMPARE(s.controller.backups().list(m_class).size(), 1);
        QCOMPARE(readBytes(s.controller.backups().list(m_class).first().path), copy);

        // A copy older than its class file holds nothing new: kept without a question.
        {
            Session t(m_dir->path());
            QVERIFY(t.load(m_class, QStringLiteral("geheim")));
            t.document.grid().setCell(0, 16, QStringLiteral("Alt"));
            t.controller.writeRecoveryCopy();
            setModified(t.controller.recovery().copyPath(),
                        QDateTime::currentDateTime().addDays(-2));
        }
        {
            Session t(m_dir->path());
            t.controller.onPaint();
            QVERIFY(t.prompts.questions.isEmpty());
            QVERIFY(!t.controller.recovery().exists());
            QCOMPARE(t.controller.backups().list(m_class).size(), 2);
        }

        // A class never saved has no file: its copy is offered, and kept in the program folder.
        {
            Session t(m_dir->path());
            t.document.grid().setCell(0, 16, QStringLiteral("Neu, Nina"));
            t.controller.writeRecoveryCopy();
        }
        Session t(m_dir->path());
        t.prompts.yesNoAnswers << false;
        t.controller.onPaint();
        QCOMPARE(t.prompts.questions.size(), 1);
        const QList<BackupStore::Backup> unnamed =
            t.controller.backups().list(path("unbenannt.MWk"));
        QCOMPARE(unnamed.size(), 1);
        QCOMPARE(cellOf(unnamed.first().path, 0, 16), "Neu, Nina");
    }

    void saveAndCloseRemoveRecovery()
    {
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        s.controller.writeRecoveryCopy();
        QVERIFY(!s.controller.recovery().exists()); // nothing unsaved
        s.document.grid().setCell(0, 16, QStringLiteral("Neumann, Ida"));
        s.controller.writeRecoveryCopy();
        QVERIFY(s.controller.recovery().exists());
        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QVERIFY(!s.controller.recovery().exists());

        s.document.grid().setCell(0, 16, QStringLiteral("Weg, Tom"));
        s.controller.writeRecoveryCopy();
        s.prompts.answers << UserPrompts::Answer::No; // close without saving
        QVERIFY(s.controller.requestClose());
        QVERIFY(!s.controller.recovery().exists());
        QCOMPARE(cellOf(m_class, 0, 16), "Neumann, Ida");
    }

    void changedOnDiskAsksBeforeOverwriting()
    {
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        s.document.grid().setCell(0, 16, QStringLiteral("Meins"));
        // The same bytes written again (a sync client) are no change.
        const QByteArray loaded = readBytes(m_class);
        QVERIFY(TestSupport::writeBytes(m_class, loaded));
        setModified(m_class, QDateTime::currentDateTime().addSecs(5));
        QVERIFY(s.saveTo(m_class, QStringLiteral("geheim")));
        QVERIFY(s.prompts.questions.isEmpty());

        // Another computer rewrites the file.
        writeClassWithPupil(m_class, QStringLiteral("Fremd"));
        setModified(m_class, QDateTime::currentDateTime().addSecs(10));
        s.document.grid().setCell(0, 16, QStringLiteral("Meins 2"));
        s.prompts.answers << UserPrompts::Answer::Cancel;
        QVERIFY(!s.saveTo(m_class, QStringLiteral("geheim")));
        QCOMPARE(s.prompts.questions.size(), 1);
        QVERIFY(s.prompts.questions.first().contains(QStringLiteral("von außen")));
        QCOMPARE(cellOf(m_class, 0, 16), "Fremd");

        // "No" saves under another name and leaves the other file alone.
        const QString elsewhere = path("7b-meins.MWk");
        s.prompts.answers << UserPrompts::Answer::No;
        s.prompts.filesToSaveTo << m_class << elsewhere;
        s.controller.saveClass();
        QVERIFY(s.controller.confirmSave(QStringLiteral("geheim")));
        QCOMPARE(s.prompts.proposedSaves.last(), path("7b (Kopie).MWk"));
        QCOMPARE(cellOf(m_class, 0, 16), "Fremd");
        QCOMPARE(cellOf(elsewhere, 0, 16), "Meins 2");
        QCOMPARE(s.controller.saveTarget(), elsewhere);
        QVERIFY(s.document.isSaved());

        // The save on close asks too; "Yes" overwrites, the other version staying a backup.
        writeClassWithPupil(elsewhere, QStringLiteral("Zweiter Markwart"));
        setModified(elsewhere, QDateTime::currentDateTime().addSecs(20));
        s.document.grid().setCell(0, 16, QStringLiteral("Meins 3"));
        s.prompts.answers << UserPrompts::Answer::Yes << UserPrompts::Answer::Yes;
        const int asked = s.prompts.questions.size();
        QVERIFY(s.controller.requestClose());
        QCOMPARE(s.prompts.questions.size(), asked + 2);
        QCOMPARE(cellOf(elsewhere, 0, 16), "Meins 3");
        QCOMPARE(cellOf(s.controller.backups().list(elsewhere).first().path, 0, 16),
                 "Zweiter Markwart");
    }

private:
    static void setModified(const QString &file, const QDateTime &time)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
    }
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }
    static void writeClassWithPupil(const QString &file, const QString &pupil)
    {
        TestSupport::writeClass(file, {{0, 16, pupil},
                                       {1, 16, QStringLiteral("7b")},
                                       {10, 33, QStringLiteral("Neu")},
                                       {15, 599, QStringLiteral("ja")},
                                       {17, 599, QStringLiteral("geheim")}});
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_class;
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
