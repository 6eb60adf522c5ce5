// Loading, saving and closing a class as the main window drives it, with scripted answers.

#include "app/appsettings.h"
#include "app/recentclasses.h"
#include "app/sessioncontroller.h"
#include "classdata/classdocument.h"
#include "grades/resultrow.h"
#include "grades/subjectsheet.h"
#include "photos/photoconverter.h"
#include "sessionfixture.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestSupport::cellOf;

} // namespace

class TestSessionController : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::isolateSettings();
        m_dir = std::make_unique<QTemporaryDir>();
        m_class = path("7b.MWk");
        TestSupport::writeClass(m_class, {{0, 16, QStringLiteral("Müller, Jonas")},
                                          {1, 16, QStringLiteral("7b")},
                                          {10, 33, QStringLiteral("Neu")},
                                          {15, 599, QStringLiteral("ja")},
                                          {16, 16, QStringLiteral("0")},
                                          {16, 33, QStringLiteral("3")},
                                          {17, 599, QStringLiteral("geheim")},
                                          {18, 599, QStringLiteral("/somewhere/else.MWk")}});
    }

    void loadChecksPasswordBeforeTakingOver()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(3, 3, QStringLiteral("vorher"));
        s.document.setSaved(true);
        QVERIFY(!s.load(m_class, QStringLiteral("Geheim")));
        QCOMPARE(s.view.dialogModes, {SessionView::PasswordMode::Load});
        QCOMPARE(s.prompts.messages, {QStringLiteral("Das Passwort ist falsch!")});
        QCOMPARE(s.cell(3, 3) + u'|' + s.cell(0, 16), "vorher|");
        QVERIFY(s.view.dialogVisible);

        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        QVERIFY(!s.view.dialogVisible);
        // Nothing of the previous class leaks.
        QCOMPARE(s.cell(0, 16) + u'|' + s.cell(3, 3), "Müller, Jonas|");
        QCOMPARE(QDir::fromNativeSeparators(s.document.loadedPath()), m_class);
        QVERIFY(s.document.pointsMode() && s.document.isSaved());
        QCOMPARE(s.document.tabPositions().at(1), 3);
        QCOMPARE(s.view.caption, "Markwart arbeitet mit " + QDir::toNativeSeparators(m_class));
        QCOMPARE(s.controller.projectFolder(), m_dir->path());
        QCOMPARE(s.prompts.messages.size(), 1); // no older-version notice
    }

    void loadAsksAboutUnsavedChangesFirst()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("ungespeichert"));
        s.prompts.yesNoAnswers << true; // "yes, save first": the load stops
        s.prompts.filesToOpen << m_class;
        s.controller.loadClass();
        QCOMPARE(s.prompts.questions, {"Änderungen der aktuellen Datei zunächst speichern?"});
        QVERIFY(s.prompts.openFolders.isEmpty());

        // Cancelling the open dialog must not mark the unsaved class as saved.
        s.prompts.filesToOpen.clear();
        s.controller.loadClass();
        QCOMPARE(s.prompts.openFolders.size(), 1);
        QVERIFY(!s.document.isSaved());
    }

    void unreadableOrOlderFile()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("bleibt"));
        const QString bogus = path("kaputt.MWk");
        QVERIFY(TestSupport::writeBytes(bogus, "keine\r\nKlasse\r\n"));
        s.prompts.filesToOpen << bogus << path("fehlt.MWk");
        s.controller.loadClass();
        s.controller.loadClass();
        QCOMPARE(s.prompts.messages.size(), 2);
        QVERIFY(s.prompts.messages[0].contains(QStringLiteral("keine Klassendatei")));
        QVERIFY(s.view.dialogModes.isEmpty());
        QCOMPARE(s.cell(0, 16), "bleibt");

        // An older file is reported once.
        const QString old = path("alt.MWk");
        TestSupport::writeClass(old, {{0, 16, QStringLiteral("Alt")}});
        s.document.setSaved(true);
        QVERIFY(s.load(old, QString()));
        QCOMPARE(s.prompts.messages.size(), 3);
        QVERIFY(s.prompts.messages[2].startsWith(
            QStringLiteral("Diese Datei wurde mit einer älteren Version erstellt!\r")));
        QCOMPARE(s.cell(0, 16), "Alt");

        // A file that ends early loads as far as it goes, and the teacher is told.
        const QByteArray whole = TestSupport::readBytes(m_class);
        const QString cut = path("halb.MWk");
        QVERIFY(TestSupport::writeBytes(cut, whole.split('\n').mid(0, 2 + 1716).join('\n') + '\n'));
        QVERIFY(s.load(cut, QString()));
        QVERIFY(s.prompts.messages.value(3).contains(QStringLiteral("unvollständig")));
        QCOMPARE(s.cell(0, 16), "Müller, Jonas");
    }

    void saveButtonStampsAndWrites()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("Weiß, Ida"));
        s.document.grid().setCell(1, 16, QStringLiteral("8a"));
        s.document.setRowLabel(2, QStringLiteral("Mathe"));
        s.document.setPointsMode(true);
        s.document.setSliderPosition(4);
        s.document.setTabPositions({0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});

        QVERIFY(s.saveTo(path("neu"), QStringLiteral("pw"))); // extension added
        const QString target = path("neu.MWk");
        QCOMPARE(s.view.dialogModes, {SessionView::PasswordMode::Save});
        QCOMPARE(s.prompts.proposedSaves, {path("8a.MWk")});
        QVERIFY(s.document.isSaved());
        QCOMPARE(s.view.caption, "Markwart - " + QDir::toNativeSeparators(target));
        const QStringList stamped{cellOf(target, 17, 599), cellOf(target, 10, 33),
                                  cellOf(target, 15, 599), cellOf(target, 8, 33),
                                  cellOf(target, 16, 33),  cellOf(target, 0, 1715)};
        QCOMPARE(stamped, QStringList({"pw", "Neu", "ja", "4", "2", "nein"}));
        // Row labels and subject names reach every block, the one after the last person too.
        QCOMPARE(cellOf(target, 0, 0), "Gewichtung, mdl.|schr.");
        QCOMPARE(cellOf(target, 0, 34 * 17 + 2) + u'|' + cellOf(target, 0, 16), "Mathe|Weiß, Ida");
    }

    void failedSaveKeepsChangesUnsaved()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("X"));
        // A cancelled save dialog abandons the save.
        s.controller.saveClass();
        QVERIFY(!s.controller.confirmSave(QString()));
        QVERIFY(!s.view.dialogVisible);
        QCOMPARE(QDir(m_dir->path()).entryList({"*.MWk"}), {"7b.MWk"});

        QVERIFY(!s.saveTo(path("fehlt/ordner/x.MWk")));
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.messages[0].startsWith(QStringLiteral("Die Klasse konnte nicht")));
        QVERIFY(!s.document.isSaved());
        QVERIFY(!s.view.caption.startsWith(QStringLiteral("Markwart - ")));

        // Saving on close into a folder that has gone keeps the program open.
        QDir gone(path("weg"));
        QVERIFY(gone.mkpath(QStringLiteral(".")));
        QVERIFY(QFile::copy(m_class, gone.filePath(QStringLiteral("7b.MWk"))));
        Session t(m_dir->path());
        QVERIFY(t.load(gone.filePath(QStringLiteral("7b.MWk")), QStringLiteral("geheim")));
        QVERIFY(gone.removeRecursively());
        t.document.grid().setCell(2, 16, QStringLiteral("X"));
        t.prompts.yesNoAnswers << true;
        QVERIFY(!t.controller.requestClose());
        QCOMPARE(t.prompts.messages.size(), 1);
        QVERIFY(!t.document.isSaved());
        QCOMPARE(t.view.closeRequests, 0);
    }

    void closeSequence_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("answer"); // asked only after a change, written only on yes
        QTest::newRow("nothing changed") << false << true;
        QTest::newRow("changed, no") << true << false;
        QTest::newRow("changed, yes") << true << true;
        QTest::newRow("setting changed, yes") << true << true;
    }

    void closeSequence()
    {
        QFETCH(bool, changed);
        QFETCH(bool, answer);
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        // A class-wide switch is a change too, though it reaches the grid only when stamped.
        if (QByteArray(QTest::currentDataTag()).startsWith("setting"))
            s.document.setVerbalEvaluation(true);
        else if (changed)
            s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));
        s.prompts.yesNoAnswers << answer;
        QVERIFY(s.controller.requestClose());
        QCOMPARE(s.prompts.questions.contains(QStringLiteral("Änderungen speichern?")), changed);
        if (QByteArray(QTest::currentDataTag()).startsWith("setting"))
            QCOMPARE(cellOf(m_class, 0, 1715), "ja");
        else
            QCOMPARE(cellOf(m_class, 2, 16) == QStringLiteral("2027/28"), changed && answer);
        if (changed && answer)
            QCOMPARE(cellOf(m_class, 10, 33) + u'|' + cellOf(m_class, 17, 599), "53|geheim");
    }

    void closeOfNeverSavedClassRunsSaveDialogThenCloses()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("Neu, Anna"));
        s.prompts.yesNoAnswers << true;
        QVERIFY(!s.controller.requestClose());
        QCOMPARE(s.view.dialogModes, {SessionView::PasswordMode::Save});

        const QString target = path("anna.MWk");
        s.prompts.filesToSaveTo << target;
        QVERIFY(s.controller.confirmSave(QString()));
        QCOMPARE(s.view.closeRequests, 1);
        QVERIFY(s.document.isSaved());
        QCOMPARE(cellOf(target, 0, 16), "Neu, Anna");
        QVERIFY(s.controller.requestClose()); // the window's own close now goes through

        // A close that waited for a save is forgotten when that save is cancelled.
        Session t(m_dir->path());
        t.document.grid().setCell(0, 16, QStringLiteral("Y"));
        t.prompts.yesNoAnswers << true;
        QVERIFY(!t.controller.requestClose());
        t.controller.passwordDialogClosed();
        QVERIFY(t.saveTo(path("y.MWk")));
        QCOMPARE(t.view.closeRequests, 0);
    }

    void cancelledQuestionKeepsClassAndWindow()
    {
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));

        s.prompts.answers << UserPrompts::Answer::Cancel << UserPrompts::Answer::Cancel;
        QVERIFY(!s.controller.requestClose());
        s.prompts.filesToOpen << path("andere.MWk");
        s.controller.loadClass();
        QCOMPARE(s.prompts.questions,
                 QStringList({"Änderungen speichern?",
                              "Änderungen der aktuellen Datei zunächst speichern?"}));
        QVERIFY(s.prompts.openFolders.size() == 1 && s.view.dialogModes.size() == 1);
        QCOMPARE(s.cell(2, 16), "2027/28");
        QVERIFY(!s.document.isSaved());
        QCOMPARE(cellOf(m_class, 2, 16), QString());

        // Nothing is left waiting: the next answer decides alone.
        s.prompts.answers << UserPrompts::Answer::No;
        QVERIFY(s.controller.requestClose());
        QCOMPARE(cellOf(m_class, 2, 16), QString());
    }

    void loadQuestionYesSavesThenLoads()
    {
        const QString other = path("8a.MWk");
        TestSupport::writeClass(other, {{0, 16, QStringLiteral("Acht, Anna")}, {10, 33, "Neu"}});
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));

        // A loaded class is written back to its file at once, then the next one is chosen.
        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));
        s.prompts.answers << UserPrompts::Answer::Yes;
        s.prompts.filesToOpen << other;
        s.controller.loadClass();
        QCOMPARE(cellOf(m_class, 2, 16), "2027/28");
        QCOMPARE(s.prompts.openFolders.size(), 2);
        QCOMPARE(s.view.dialogModes.last(), SessionView::PasswordMode::Load);

        // A class without a file goes through the save dialogs first.
        Session t(m_dir->path());
        t.document.grid().setCell(0, 16, QStringLiteral("Neu, Nora"));
        t.prompts.answers << UserPrompts::Answer::Yes << UserPrompts::Answer::Yes;
        t.controller.loadClass();
        QCOMPARE(t.view.dialogModes, {SessionView::PasswordMode::Save});
        QVERIFY(!t.controller.confirmSave(QString())); // save dialog cancelled: no load either
        QVERIFY(t.prompts.openFolders.isEmpty());

        t.controller.loadClass();
        t.prompts.filesToSaveTo << path("nora.MWk");
        t.prompts.filesToOpen << other;
        QVERIFY(t.controller.confirmSave(QString()));
        QCOMPARE(cellOf(path("nora.MWk"), 0, 16), "Neu, Nora");
        QCOMPARE(t.prompts.openFolders.size(), 1);
        QVERIFY(t.controller.confirmLoad(QString()));
        QCOMPARE(t.cell(0, 16), "Acht, Anna");
    }

    void classHandedOverByASecondStart()
    {
        const QString other = path("8a.MWk");
        TestSupport::writeClass(other, {{0, 16, QStringLiteral("Acht, Anna")}, {10, 33, "Neu"}});
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));

        // Cancelled: the class stays, and a later "Klasse laden" asks for a file again.
        s.prompts.answers << UserPrompts::Answer::Cancel;
        s.controller.openClass(other);
        QCOMPARE(s.view.dialogModes.size(), 1);
        s.document.setSaved(true);
        s.controller.loadClass();
        QCOMPARE(s.prompts.openFolders.size(), 2);
        s.controller.passwordDialogClosed();

        // Saved first, then the handed file is read without a file dialog.
        s.document.grid().setCell(2, 16, QStringLiteral("2028/29"));
        s.prompts.answers << UserPrompts::Answer::Yes;
        s.controller.openClass(other);
        QCOMPARE(cellOf(m_class, 2, 16), "2028/29");
        QCOMPARE(s.prompts.openFolders.size(), 2);
        QVERIFY(s.controller.confirmLoad(QString()));
        QCOMPARE(s.cell(0, 16), "Acht, Anna");

        // A class without a file goes through the save dialogs before the handed one.
        Session t(m_dir->path());
        t.document.grid().setCell(0, 16, QStringLiteral("Neu, Nora"));
        t.prompts.answers << UserPrompts::Answer::Yes;
        t.controller.openClass(other);
        QCOMPARE(t.view.dialogModes, {SessionView::PasswordMode::Save});
        t.prompts.filesToSaveTo << path("nora.MWk");
        QVERIFY(t.controller.confirmSave(QString()));
        QVERIFY(t.prompts.openFolders.isEmpty());
        QVERIFY(t.controller.confirmLoad(QString()));
        QCOMPARE(t.cell(0, 16) + u'|' + cellOf(path("nora.MWk"), 0, 16), "Acht, Anna|Neu, Nora");
    }

    void recentClassesComeBeforeTheFileDialog()
    {
        const QString other = path("Acht.MWk");
        TestSupport::writeClass(other, {{0, 16, QStringLiteral("Acht, Anna")},
                                        {1, 16, QStringLiteral("8a")},
                                        {10, 33, "Neu"}});
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        QVERIFY(s.prompts.recentLines.isEmpty()); // nothing opened before: the file dialog
        QVERIFY(s.load(other, QString()));
        QCOMPARE(s.prompts.recentLines.size(), 1);

        // Newest first, with class and a German date; one click opens without a file dialog.
        const int fileDialogs = s.prompts.openFolders.size();
        s.prompts.recentChoices << 1;
        s.controller.loadClass();
        QCOMPARE(s.prompts.recentLines.size(), 2);
        QVERIFY(s.prompts.recentLines[0].startsWith(QStringLiteral("Acht   ·   Klasse 8a   ·   ")));
        QVERIFY(s.prompts.recentLines[1].startsWith(QStringLiteral("7b   ·   ") +
                                                    QDir::toNativeSeparators(m_class) +
                                                    QStringLiteral("   ·   ")));
        QVERIFY(QRegularExpression(QStringLiteral("\\d\\d\\.\\d\\d\\.20\\d\\d, \\d\\d:\\d\\d$"))
                    .match(s.prompts.recentLines[0])
                    .hasMatch());
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        QCOMPARE(s.cell(0, 16), "Müller, Jonas");
        QCOMPARE(s.prompts.openFolders.size(), fileDialogs);

        // A class that has gone is shown but cannot be chosen; cancelling opens nothing.
        QVERIFY(QFile::remove(other));
        s.prompts.recentChoices << UserPrompts::NoClass;
        s.controller.loadClass();
        QCOMPARE(s.prompts.recentPresent, (QList<bool>{true, false}));
        QVERIFY(s.prompts.recentLines[1].endsWith(QStringLiteral("(Datei fehlt)")));
        QCOMPARE(s.prompts.openFolders.size(), fileDialogs);
        QCOMPARE(s.view.dialogModes.size(), 3);

        // At most eight, each once; saving counts as opening.
        RecentClasses recent(s.settings);
        for (int k = 0; k < 10; ++k)
            recent.remember(m_dir->filePath(QStringLiteral("k%1.MWk").arg(k)), QString(),
                            QDateTime(QDate(2026, 12, 1 + k), QTime(8, 0)));
        recent.remember(path("k5.MWk"), QStringLiteral("5c"), QDateTime::currentDateTime());
        QCOMPARE(recent.entries().size(), RecentClasses::Limit);
        QCOMPARE(recent.entries()[0].name() + recent.entries()[1].name() +
                     recent.entries()[7].name(),
                 QStringLiteral("k5k9k2"));
        QVERIFY(s.saveTo(path("neu.MWk")));
        QCOMPARE(recent.entries()[0].name(), QStringLiteral("neu"));
    }

    void closeSavesToTheFileLastSaved()
    {
        Session s(m_dir->path());
        QVERIFY(s.load(m_class, QStringLiteral("geheim")));
        s.document.grid().setCell(1, 16, QStringLiteral("8c"));
        const QString copy = path("8c.MWk");
        QVERIFY(s.saveTo(copy, QStringLiteral("neu")));
        QCOMPARE(s.view.caption, "Markwart - " + QDir::toNativeSeparators(copy));

        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));
        s.prompts.yesNoAnswers << true;
        QVERIFY(s.controller.requestClose());
        QCOMPARE(cellOf(copy, 2, 16) + u'|' + cellOf(copy, 17, 599), "2027/28|neu");
        // The earlier file keeps its class and its password.
        QCOMPARE(cellOf(m_class, 1, 16) + u'|' + cellOf(m_class, 17, 599), "7b|geheim");
        // The cell of the loaded path keeps telling where the class came from.
        QCOMPARE(QDir::fromNativeSeparators(cellOf(copy, 18, 599)), m_class);
        QCOMPARE(s.controller.proposedSavePath(), copy);
    }

    void startUpLoadNotTakenOverIsNoSaveTarget()
    {
        Session s(m_dir->path(), m_class);
        s.controller.onPaint();
        // The caption names the class while its password is asked for.
        QCOMPARE(s.view.caption, "Markwart arbeitet mit 7b.MWk");
        QVERIFY(!s.view.startHint);
        s.controller.passwordDialogClosed();
        QCOMPARE(s.view.caption, "Markwart");
        QVERIFY(s.view.startHint);

        s.document.grid().setCell(0, 16, QStringLiteral("Neu, Nina"));
        QVERIFY(!s.view.startHint);
        s.prompts.yesNoAnswers << true;
        QVERIFY(!s.controller.requestClose());
        QCOMPARE(s.view.dialogModes.last(), SessionView::PasswordMode::Save);
        QCOMPARE(s.controller.proposedSavePath(), path(".MWk"));
        QCOMPARE(cellOf(m_class, 0, 16), "Müller, Jonas");
    }

    void gradingSettingsTravelWithTheClass()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("Weiß, Ida"));
        s.document.setHalfDown(false);
        s.document.setPointsMode(true);
        s.document.setSliderPosition(4); // 70:30
        const QString target = path("ida.MWk");
        QVERIFY(s.saveTo(target));
        QCOMPARE(cellOf(target, 25, 599) + u'|' + cellOf(target, 8, 33), "nein|4");

        Session t(m_dir->path());
        QVERIFY(t.document.halfDown() && t.document.sliderPosition() == 2);
        QVERIFY(t.load(target, QString()));
        QVERIFY(!t.document.halfDown());
        QCOMPARE(t.document.sliderPosition(), 4);
        // 15 oral and 1 written points give 10.8 at 70:30, "11"; at 65:35 or below "10" or less.
        SubjectSheet sheet(t.document, 1);
        sheet.show();
        sheet.edit(ResultRow::FirstOral, 1, QStringLiteral("15"));
        sheet.edit(ResultRow::FirstWritten, 1, QStringLiteral("1"));
        sheet.commit(1);
        QCOMPARE(t.cell(ResultRow::FinalValue, 1), "11");
    }

    void closeRemovesTemporaryReports()
    {
        const QDir reports(path("tmp"));
        QVERIFY(reports.mkpath(QStringLiteral("Druck")));
        for (const char *name : {"Druck.doc", "druck.html", "Mathematik 7b.doc", "Sitzplan.bmp",
                                 "Druck/bild.jpg", "notizen.txt"})
            QVERIFY(TestSupport::writeBytes(reports.filePath(QLatin1String(name))));
        Session s(m_dir->path());
        QVERIFY(s.controller.requestClose());
        QCOMPARE(reports.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 {"notizen.txt"});
    }

    void startUpOpensNamedOrRememberedClass()
    {
        {
            Session s(m_dir->path(), m_class);
            s.controller.onPaint();
            QVERIFY(!s.controller.paintHandlingActive());
            QCOMPARE(s.view.dialogCaptions, {"7b.MWk"});
            QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
            QCOMPARE(s.view.caption, "Markwart arbeitet mit 7b.MWk");
            QVERIFY(s.prompts.openFolders.isEmpty());
        }
        // The remembered class, when it has gone, is skipped without a word.
        AppSettings().setLast(path("weg.MWk"));
        Session s(m_dir->path());
        QVERIFY(s.controller.autoLoadLast());
        s.controller.onPaint();
        QVERIFY(s.prompts.messages.isEmpty());
        QVERIFY(s.view.dialogModes.isEmpty() && s.prompts.openFolders.isEmpty());
    }

    void firstPaintOffersOpenDialogOnlyWithClassFiles()
    {
        {
            Session s(m_dir->path());
            s.prompts.filesToOpen << m_class;
            s.controller.onPaint();
            s.controller.onPaint();
            QCOMPARE(s.prompts.openFolders, {m_dir->path()});
            QVERIFY(s.controller.paintHandlingActive());
            QVERIFY(s.prompts.questions.isEmpty());
            // Painting armed the automatic focus: it moves once, on the right password.
            QVERIFY(!s.controller.autoFocusMatch(QStringLiteral("geh")));
            QVERIFY(s.controller.autoFocusMatch(QStringLiteral("geheim")));
            QVERIFY(!s.controller.autoFocusMatch(QStringLiteral("geheim")));
        }
        QTemporaryDir empty;
        Session s(empty.path(), QString(), QDate(2027, 1, 1));
        QVERIFY(!s.view.startHint);
        s.controller.onPaint();
        QVERIFY(s.prompts.openFolders.isEmpty());
        QVERIFY(s.view.startHint); // nothing to open: the teacher is told what to do first
        // On the first of a month the program offers to look for updates.
        QCOMPARE(s.prompts.questions, {"Heute könnte man nach Updates schauen, willst du?"});
    }

    void rememberedClassFollowsCheckBox()
    {
        Session s(m_dir->path());
        s.controller.setAutoLoadLast(true);
        s.document.grid().setCell(0, 16, QStringLiteral("Z"));
        QVERIFY(s.saveTo(path("z.MWk")));
        QCOMPARE(QDir::fromNativeSeparators(s.settings.last()), path("z.MWk"));

        s.controller.setAutoLoadLast(false);
        QCOMPARE(s.settings.last(), QString());
        QSettings raw(QStringLiteral("Quillfen"), QStringLiteral("Markwart"));
        QCOMPARE(raw.value("version").toInt(), 53);
        QCOMPARE(raw.value("backgr").toInt(), 1);
        QCOMPARE(raw.value("bgc").toInt(), 0);
    }

    void oldJpegPhotosAreConverted()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Fotos/03_2024/7b")));
        QImage photo(135, 180, QImage::Format_RGB32);
        photo.fill(QColor(200, 120, 40));
        QVERIFY(photo.save(path("Fotos/03_2024/7b/1.jpg"), "JPG"));
        const QString old = path("foto.MWk");
        TestSupport::writeClass(old, {{0, 16, QStringLiteral("Foto, Fritz")},
                                      {10, 33, QStringLiteral("53")},
                                      {20, 16, QStringLiteral("Fotos\\03_2024\\7b\\1.jpg")},
                                      {20, 33, QStringLiteral("Fotos\\03_2024\\7b\\2.png")}});

        Session s(m_dir->path());
        s.prompts.yesNoAnswers << true;
        QVERIFY(s.load(old, QString()));
        QVERIFY(s.prompts.questions.at(0).startsWith(
            QStringLiteral("Diese Datei enthält noch unverschlüsselte Fotos!\r")));

        const QString bitmap = path("Fotos/03_2024/7b/1.bmp");
        QVERIFY(QFile::exists(bitmap));
        QVERIFY(!QFile::exists(path("Fotos/03_2024/7b/1.jpg")));
        QCOMPARE(s.cell(20, 16) + u'|' + s.cell(20, 33),
                 "Fotos\\03_2024\\7b\\1.bmp|Fotos\\03_2024\\7b\\2.png");
        QCOMPARE(cellOf(old, 20, 16), "Fotos\\03_2024\\7b\\1.bmp");
        QVERIFY(s.document.isSaved());

        // Stored scrambled: unreadable as it is, the photo again once unscrambled.
        const QColor stored = QImage(bitmap).pixel(60, 90);
        QVERIFY(qAbs(stored.red() - 200) > 8 || qAbs(stored.blue() - 40) > 8);
        const QColor shown = PhotoConverter::loadStoredPhoto(bitmap).pixel(60, 90);
        QVERIFY(qAbs(shown.red() - 200) <= 8 && qAbs(shown.blue() - 40) <= 8);
    }

private:
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_class;
};

QTEST_GUILESS_MAIN(TestSessionController)
#include "tst_sessioncontroller.moc"
