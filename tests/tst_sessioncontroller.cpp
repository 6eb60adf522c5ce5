// Loading, saving and closing a class as the main window drives it, with scripted answers.

#include "app/appsettings.h"
#include "app/sessioncontroller.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/loadbuffer.h"
#include "grades/resultrow.h"
#include "grades/subjectsheet.h"
#include "photos/photoconverter.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestSupport::cellOf;

class FakeView : public SessionView
{
public:
    QList<PasswordMode> dialogModes;
    QStringList dialogCaptions;
    bool dialogVisible = false;
    QString caption;
    int closeRequests = 0;
    bool startHint = false;

    void showPasswordDialog(PasswordMode mode, const QString &, const QString &caption) override
    {
        dialogModes << mode;
        dialogCaptions << caption;
        dialogVisible = true;
    }
    void hidePasswordDialog() override { dialogVisible = false; }
    void setCaption(const QString &text) override { caption = text; }
    void showLoadedClass() override {}
    void showHelpPanel() override {}
    void showStartHint(bool shown) override { startHint = shown; }
    void closeMainWindow() override { ++closeRequests; }
};

// Everything one test needs: a document, settings, scripted prompts, a fake window.
struct Session
{
    explicit Session(const QString &folder, const QDate &today = QDate(2026, 12, 6))
        : controller(document, settings, prompts, view, folder, folder + QStringLiteral("/tmp"))
    {
        controller.setUp(QString(), today);
    }

    ClassDocument document;
    AppSettings settings;
    ScriptedPrompts prompts;
    FakeView view;
    SessionController controller;
};

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
        s.prompts.filesToOpen << m_class;

        s.controller.loadClass();
        QCOMPARE(s.view.dialogModes, {SessionView::PasswordMode::Load});

        QVERIFY(!s.controller.confirmLoad(QStringLiteral("Geheim")));
        QCOMPARE(s.prompts.messages, {QStringLiteral("Das Passwort ist falsch!")});
        QCOMPARE(s.document.grid().cell(3, 3), QStringLiteral("vorher"));
        QCOMPARE(s.document.grid().cell(0, 16), QString());
        QVERIFY(s.view.dialogVisible);

        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        QVERIFY(!s.view.dialogVisible);
        QCOMPARE(s.document.grid().cell(0, 16), QStringLiteral("Müller, Jonas"));
        QCOMPARE(s.document.grid().cell(3, 3), QString()); // nothing of the previous class leaks
        QCOMPARE(QDir::fromNativeSeparators(s.document.loadedPath()), m_class);
        QVERIFY(s.document.pointsMode());
        QCOMPARE(s.document.tabPositions().at(1), 3);
        QVERIFY(s.document.isSaved());
        QCOMPARE(s.view.caption,
                 QStringLiteral("Markwart arbeitet mit ") + QDir::toNativeSeparators(m_class));
        QCOMPARE(s.controller.projectFolder(), m_dir->path());
        QCOMPARE(s.prompts.messages.size(), 1); // no older-version notice
    }

    void loadAsksAboutUnsavedChangesFirst()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("ungespeichert"));
        QVERIFY(!s.document.isSaved());

        s.prompts.yesNoAnswers << true; // "yes, save first": the load stops
        s.prompts.filesToOpen << m_class;
        s.controller.loadClass();
        QCOMPARE(s.prompts.questions,
                 {QStringLiteral("Änderungen der aktuellen Datei zunächst speichern?")});
        QVERIFY(s.prompts.openFolders.isEmpty());

        // Cancelling the open dialog must not mark the unsaved class as saved.
        s.prompts.yesNoAnswers << false;
        s.prompts.filesToOpen.clear();
        s.controller.loadClass();
        QCOMPARE(s.prompts.openFolders.size(), 1);
        QVERIFY(!s.document.isSaved());
    }

    void unreadableFileKeepsClass()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("bleibt"));
        const QString bogus = path("kaputt.MWk");
        QFile file(bogus);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keine\r\nKlasse\r\n");
        file.close();

        s.prompts.yesNoAnswers << false;
        s.prompts.filesToOpen << bogus << path("fehlt.MWk");
        s.controller.loadClass();
        s.controller.loadClass();
        QCOMPARE(s.prompts.messages.size(), 2);
        QVERIFY(s.prompts.messages[0].contains(QStringLiteral("keine Klassendatei")));
        QVERIFY(s.view.dialogModes.isEmpty());
        QCOMPARE(s.document.grid().cell(0, 16), QStringLiteral("bleibt"));
    }

    void incompleteFileLoadsWithNotice()
    {
        // Only the first column survived: the names are there, the password cell is not.
        QFile whole(m_class);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = whole.readAll().split('\n');
        const QString cut = path("halb.MWk");
        QFile file(cut);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.mid(0, 2 + 1716).join('\n') + '\n');
        file.close();

        Session s(m_dir->path());
        s.prompts.filesToOpen << cut;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QString()));
        QVERIFY(!s.prompts.messages.isEmpty());
        QVERIFY(s.prompts.messages[0].contains(QStringLiteral("unvollständig")));
        QCOMPARE(s.document.grid().cell(0, 16), QStringLiteral("Müller, Jonas"));
    }

    void olderFileIsReportedOnce()
    {
        const QString old = path("alt.MWk");
        TestSupport::writeClass(old, {{0, 16, QStringLiteral("Alt")}});
        Session s(m_dir->path());
        s.prompts.filesToOpen << old;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QString()));
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.messages[0].startsWith(
            QStringLiteral("Diese Datei wurde mit einer älteren Version erstellt!\r")));
        QCOMPARE(s.document.grid().cell(0, 16), QStringLiteral("Alt"));
    }

    void saveButtonStampsAndWrites()
    {
        Session s(m_dir->path());
        ClassGrid &grid = s.document.grid();
        grid.setCell(0, 16, QStringLiteral("Weiß, Ida"));
        grid.setCell(1, 16, QStringLiteral("8a"));
        s.document.setRowLabel(2, QStringLiteral("Mathe"));
        s.document.setPointsMode(true);
        s.document.setSliderPosition(4);
        s.document.setTabPositions({0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});

        s.controller.saveClass();
        QCOMPARE(s.view.dialogModes, {SessionView::PasswordMode::Save});
        const QString target = path("neu.MWk");
        s.prompts.filesToSaveTo << path("neu"); // extension added
        QVERIFY(s.controller.confirmSave(QStringLiteral("pw")));

        QCOMPARE(s.prompts.proposedSaves, {path("8a.MWk")});
        QVERIFY(s.document.isSaved());
        QCOMPARE(s.view.caption, QStringLiteral("Markwart - ") + QDir::toNativeSeparators(target));
        const QStringList stamped{cellOf(target, 17, 599), cellOf(target, 10, 33),
                                  cellOf(target, 15, 599), cellOf(target, 8, 33),
                                  cellOf(target, 16, 33),  cellOf(target, 0, 1715)};
        QCOMPARE(stamped, QStringList({"pw", "Neu", "ja", "4", "2", "nein"}));
        // Row labels and subject names reach every block, the one after the last person too.
        QCOMPARE(cellOf(target, 0, 0), QStringLiteral("Gewichtung, mdl.|schr."));
        QCOMPARE(cellOf(target, 0, 34 * 17 + 2), QStringLiteral("Mathe"));
        QCOMPARE(cellOf(target, 0, 16), QStringLiteral("Weiß, Ida"));
    }

    void failedSaveKeepsChangesUnsaved()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("X"));
        // A cancelled save dialog abandons the save.
        s.controller.saveClass();
        QVERIFY(!s.controller.confirmSave(QString()));
        QVERIFY(!s.view.dialogVisible);
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.MWk")}),
                 {QStringLiteral("7b.MWk")});

        s.controller.saveClass();
        s.prompts.filesToSaveTo << path("fehlt/ordner/x.MWk");
        QVERIFY(!s.controller.confirmSave(QString()));
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.messages[0].startsWith(QStringLiteral("Die Klasse konnte nicht")));
        QVERIFY(!s.document.isSaved());
        QVERIFY(!s.view.caption.startsWith(QStringLiteral("Markwart - ")));

        // Saving on close into a folder that has gone keeps the program open.
        QDir gone(path("weg"));
        QVERIFY(gone.mkpath(QStringLiteral(".")));
        QVERIFY(QFile::copy(m_class, gone.filePath(QStringLiteral("7b.MWk"))));
        Session t(m_dir->path());
        t.prompts.filesToOpen << gone.filePath(QStringLiteral("7b.MWk"));
        t.controller.loadClass();
        QVERIFY(t.controller.confirmLoad(QStringLiteral("geheim")));
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
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("questionAsked");
        QTest::addColumn<bool>("written");
        QTest::newRow("nothing changed") << false << true << false << false;
        QTest::newRow("changed, no") << true << false << true << false;
        QTest::newRow("changed, yes") << true << true << true << true;
    }

    void closeSequence()
    {
        QFETCH(bool, changed);
        QFETCH(bool, answer);
        QFETCH(bool, questionAsked);
        QFETCH(bool, written);

        Session s(m_dir->path());
        s.prompts.filesToOpen << m_class;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        if (changed)
            s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));

        s.prompts.yesNoAnswers << answer;
        QVERIFY(s.controller.requestClose());
        QCOMPARE(s.prompts.questions.contains(QStringLiteral("Änderungen speichern?")),
                 questionAsked);
        QCOMPARE(cellOf(m_class, 2, 16) == QStringLiteral("2027/28"), written);
        if (written) {
            QCOMPARE(cellOf(m_class, 10, 33), QStringLiteral("53"));
            QCOMPARE(cellOf(m_class, 17, 599), QStringLiteral("geheim"));
        }
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
        QCOMPARE(cellOf(target, 0, 16), QStringLiteral("Neu, Anna"));
        QVERIFY(s.controller.requestClose()); // the window's own close now goes through

        // A close that waited for a save is forgotten when that save is cancelled.
        Session t(m_dir->path());
        t.document.grid().setCell(0, 16, QStringLiteral("Y"));
        t.prompts.yesNoAnswers << true;
        QVERIFY(!t.controller.requestClose());
        t.controller.passwordDialogClosed();
        t.controller.saveClass();
        t.prompts.filesToSaveTo << path("y.MWk");
        QVERIFY(t.controller.confirmSave(QString()));
        QCOMPARE(t.view.closeRequests, 0);
    }

    void cancelledQuestionKeepsClassAndWindow()
    {
        Session s(m_dir->path());
        s.prompts.filesToOpen << m_class;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));

        s.prompts.answers << UserPrompts::Answer::Cancel << UserPrompts::Answer::Cancel;
        QVERIFY(!s.controller.requestClose());
        s.prompts.filesToOpen << path("andere.MWk");
        s.controller.loadClass();
        QCOMPARE(s.prompts.questions,
                 QStringList({"Änderungen speichern?",
                              "Änderungen der aktuellen Datei zunächst speichern?"}));
        QVERIFY(s.prompts.openFolders.size() == 1 && s.view.dialogModes.size() == 1);
        QCOMPARE(s.document.grid().cell(2, 16), QStringLiteral("2027/28"));
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
        TestSupport::writeClass(
            other, {{0, 16, QStringLiteral("Acht, Anna")}, {10, 33, QStringLiteral("Neu")}});
        Session s(m_dir->path());
        s.prompts.filesToOpen << m_class << other;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));

        // A loaded class is written back to its file at once, then the next one is chosen.
        s.document.grid().setCell(2, 16, QStringLiteral("2027/28"));
        s.prompts.answers << UserPrompts::Answer::Yes;
        s.controller.loadClass();
        QCOMPARE(cellOf(m_class, 2, 16), QStringLiteral("2027/28"));
        QCOMPARE(s.prompts.openFolders.size(), 2);
        QCOMPARE(s.view.dialogModes.last(), SessionView::PasswordMode::Load);

        // A class without a file goes through the save dialogs first.
        Session t(m_dir->path());
        t.document.grid().setCell(0, 16, QStringLiteral("Neu, Nora"));
        t.prompts.answers << UserPrompts::Answer::Yes << UserPrompts::Answer::Yes;
        t.controller.loadClass();
        QCOMPARE(t.view.dialogModes, {SessionView::PasswordMode::Save});
        QVERIFY(t.prompts.openFolders.isEmpty());
        QVERIFY(!t.controller.confirmSave(QString())); // save dialog cancelled: no load either
        QVERIFY(t.prompts.openFolders.isEmpty());

        t.controller.loadClass();
        t.prompts.filesToSaveTo << path("nora.MWk");
        t.prompts.filesToOpen << other;
        QVERIFY(t.controller.confirmSave(QString()));
        QCOMPARE(cellOf(path("nora.MWk"), 0, 16), QStringLiteral("Neu, Nora"));
        QCOMPARE(t.prompts.openFolders.size(), 1);
        QVERIFY(t.controller.confirmLoad(QString()));
        QCOMPARE(t.document.grid().cell(0, 16), QStringLiteral("Acht, Anna"));
    }

    void closeSavesToTheFileLastSaved()
    {
        Session s(m_dir->path());
        s.prompts.filesToOpen << m_class;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QStringLiteral("geheim")));
        s.document.grid().setCell(1, 16, QStringLiteral("8c"));

        const QString copy = path("8c.MWk");
        s.controller.saveClass();
        s.prompts.filesToSaveTo << copy;
        QVERIFY(s.controller.confirmSave(QStringLiteral("neu")));
        QCOMPARE(s.view.caption, QStringLiteral("Markwart - ") + QDir::toNativeSeparators(copy));

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
        ClassDocument document;
        AppSettings settings;
        ScriptedPrompts prompts;
        FakeView view;
        SessionController controller(document, settings, prompts, view, m_dir->path(), QString());
        controller.setUp(m_class, QDate(2026, 12, 6));
        controller.onPaint();
        // The caption names the class while its password is asked for.
        QCOMPARE(view.caption, QStringLiteral("Markwart arbeitet mit 7b.MWk"));
        QVERIFY(!view.startHint);
        controller.passwordDialogClosed();
        QCOMPARE(view.caption, QStringLiteral("Markwart"));
        QVERIFY(view.startHint);

        document.grid().setCell(0, 16, QStringLiteral("Neu, Nina"));
        QVERIFY(!view.startHint);
        prompts.yesNoAnswers << true;
        QVERIFY(!controller.requestClose());
        QCOMPARE(view.dialogModes.last(), SessionView::PasswordMode::Save);
        QCOMPARE(controller.proposedSavePath(), path(".MWk"));
        QCOMPARE(cellOf(m_class, 0, 16), QStringLiteral("Müller, Jonas"));
    }

    void gradingSettingsTravelWithTheClass()
    {
        Session s(m_dir->path());
        s.document.grid().setCell(0, 16, QStringLiteral("Weiß, Ida"));
        s.document.setHalfDown(false);
        s.document.setPointsMode(true);
        s.document.setSliderPosition(4); // 70:30
        s.controller.saveClass();
        const QString target = path("ida.MWk");
        s.prompts.filesToSaveTo << target;
        QVERIFY(s.controller.confirmSave(QString()));
        QCOMPARE(cellOf(target, 25, 599) + u'|' + cellOf(target, 8, 33), "nein|4");

        Session t(m_dir->path());
        QVERIFY(t.document.halfDown() && t.document.sliderPosition() == 2);
        t.prompts.filesToOpen << target;
        t.controller.loadClass();
        QVERIFY(t.controller.confirmLoad(QString()));
        QVERIFY(!t.document.halfDown());
        QCOMPARE(t.document.sliderPosition(), 4);
        // 15 oral and 1 written points give 10.8 at 70:30, "11"; at 65:35 or below "10" or less.
        SubjectSheet sheet(t.document, 1);
        sheet.show();
        sheet.edit(ResultRow::FirstOral, 1, QStringLiteral("15"));
        sheet.edit(ResultRow::FirstWritten, 1, QStringLiteral("1"));
        sheet.commit(1);
        QCOMPARE(t.document.grid().cell(ResultRow::FinalValue, 1), QStringLiteral("11"));
    }

    void closeRemovesTemporaryReports()
    {
        const QDir reports(path("tmp"));
        QVERIFY(reports.mkpath(QStringLiteral("Druck")));
        const QStringList doomed{QStringLiteral("Druck.doc"), QStringLiteral("druck.html"),
                                 QStringLiteral("Mathematik 7b.doc"),
                                 QStringLiteral("Sitzplan.bmp"), QStringLiteral("Druck/bild.jpg")};
        for (const QString &name : doomed + QStringList{QStringLiteral("notizen.txt")}) {
            QFile file(reports.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Session s(m_dir->path());
        QVERIFY(s.controller.requestClose());
        QCOMPARE(reports.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 {QStringLiteral("notizen.txt")});
    }

    void startUpOpensNamedOrRememberedClass()
    {
        {
            ClassDocument document;
            AppSettings settings;
            ScriptedPrompts prompts;
            FakeView view;
            SessionController controller(document, settings, prompts, view, m_dir->path(),
                                         QString());
            controller.setUp(m_class, QDate(2026, 12, 6));
            controller.onPaint();
            QVERIFY(!controller.paintHandlingActive());
            QCOMPARE(view.dialogCaptions, {QStringLiteral("7b.MWk")});
            QVERIFY(controller.confirmLoad(QStringLiteral("geheim")));
            QCOMPARE(view.caption, QStringLiteral("Markwart arbeitet mit 7b.MWk"));
            QVERIFY(prompts.openFolders.isEmpty());
        }
        {
            // The remembered class, when it has gone, is skipped without a word.
            AppSettings().setLast(path("weg.MWk"));
            Session s(m_dir->path());
            QVERIFY(s.controller.autoLoadLast());
            s.controller.onPaint();
            QVERIFY(s.prompts.messages.isEmpty());
            QVERIFY(s.view.dialogModes.isEmpty() && s.prompts.openFolders.isEmpty());
        }
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
        Session s(empty.path(), QDate(2027, 1, 1));
        QVERIFY(!s.view.startHint);
        s.controller.onPaint();
        QVERIFY(s.prompts.openFolders.isEmpty());
        QVERIFY(s.view.startHint); // nothing to open: the teacher is told what to do first
        // On the first of a month the program offers to look for updates.
        QCOMPARE(s.prompts.questions,
                 {QStringLiteral("Heute könnte man nach Updates schauen, willst du?")});
    }

    void rememberedClassFollowsCheckBox()
    {
        Session s(m_dir->path());
        s.controller.setAutoLoadLast(true);
        s.document.grid().setCell(0, 16, QStringLiteral("Z"));
        s.controller.saveClass();
        const QString target = path("z.MWk");
        s.prompts.filesToSaveTo << target;
        QVERIFY(s.controller.confirmSave(QString()));
        QCOMPARE(QDir::fromNativeSeparators(s.settings.last()), target);

        s.controller.setAutoLoadLast(false);
        QCOMPARE(s.settings.last(), QString());
        QSettings raw(QStringLiteral("Quillfen"), QStringLiteral("Markwart"));
        QCOMPARE(raw.value(QStringLiteral("version")).toInt(), 53);
        QCOMPARE(raw.value(QStringLiteral("backgr")).toInt(), 1);
        QCOMPARE(raw.value(QStringLiteral("bgc")).toInt(), 0);
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
        s.prompts.filesToOpen << old;
        s.prompts.yesNoAnswers << true;
        s.controller.loadClass();
        QVERIFY(s.controller.confirmLoad(QString()));
        QVERIFY(s.prompts.questions.at(0).startsWith(
            QStringLiteral("Diese Datei enthält noch unverschlüsselte Fotos!\r")));

        const QString bitmap = path("Fotos/03_2024/7b/1.bmp");
        QVERIFY(QFile::exists(bitmap));
        QVERIFY(!QFile::exists(path("Fotos/03_2024/7b/1.jpg")));
        QCOMPARE(s.document.grid().cell(20, 16), QStringLiteral("Fotos\\03_2024\\7b\\1.bmp"));
        QCOMPARE(s.document.grid().cell(20, 33), QStringLiteral("Fotos\\03_2024\\7b\\2.png"));
        QCOMPARE(cellOf(old, 20, 16), QStringLiteral("Fotos\\03_2024\\7b\\1.bmp"));
        QVERIFY(s.document.isSaved());

        // Stored scrambled: unreadable as it is, the photo again once unscrambled.
        const QImage stored(bitmap);
        QVERIFY(qAbs(QColor(stored.pixel(60, 90)).red() - 200) > 8 ||
                qAbs(QColor(stored.pixel(60, 90)).blue() - 40) > 8);
        const QImage shown = PhotoConverter::loadStoredPhoto(bitmap);
        QVERIFY(qAbs(QColor(shown.pixel(60, 90)).red() - 200) <= 8);
        QVERIFY(qAbs(QColor(shown.pixel(60, 90)).blue() - 40) <= 8);
    }

private:
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_class;
};

QTEST_GUILESS_MAIN(TestSessionController)
#include "tst_sessioncontroller.moc"
