// The print buttons as the teacher meets them: where each one may be given, which file
// it hands to the desktop, the notices around it, and that the class stays untouched.

#include "testsupport.h"

#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "documents/docxwriter.h"
#include "documents/reportpage.h"
#include "person/personpage.h"
#include "photos/photoconverter.h"
#include "reports/examfailurereport.h"
#include "reports/printcommands.h"
#include "reports/printprogress.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Page = PrintPlace::Page;

PrintPlace place(Page page, int number = 1, const QString &title = QStringLiteral("Deutsch"))
{
    PrintPlace p;
    p.page = page;
    p.number = number;
    p.title = title;
    return p;
}

class RecordingProgress : public PrintProgress
{
public:
    QStringList captions;
    bool shown = false;
    void showProgress(const QString &caption, int) override
    {
        captions << caption;
        shown = true;
    }
    void hideProgress() override { shown = false; }
};

struct Fixture
{
    QTemporaryDir folder;
    ClassDocument document;
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    RecordingProgress progress;
    PrintCommands commands{document, prompts, opener, folder.path()};

    // Persons Anna, Ben, Cem of class 7b with a written result and average in subject 1.
    explicit Fixture(const QString &className = QStringLiteral("7b"))
    {
        commands.setProgress(&progress);
        document.setRowLabel(1, QStringLiteral("Deutsch"));
        ClassGrid &grid = document.grid();
        const QStringList names{"Anna", "Ben", "Cem"};
        const QStringList results{"5", "5", "2"};
        for (int i = 0; i < names.size(); ++i) {
            grid.setCell(0, ClassDocument::dataRow(i), names[i]);
            grid.setCell(1, ClassDocument::dataRow(i), className);
            grid.setCell(32, i * 17 + 1, results[i]);
            grid.setCell(43, i * 17 + 1, results[i]);
        }
    }
    QString file(const QString &name) const { return folder.filePath(name); }
};

} // namespace

class PrintCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DisplayLocale::install(QLocale(QLocale::English)); }

    void wrongPageTellsWhatToChoose()
    {
        Fixture f;
        const quint64 revision = f.document.grid().revision();
        f.commands.resultList(place(Page::Person));
        f.commands.completeList(place(Page::Person));
        f.commands.examReport(place(Page::Person), 32);
        QCOMPARE(f.prompts.messages,
                 QStringList({PrintCommands::ChooseTabMessage, PrintCommands::ChooseSubjectMessage,
                              ExamFailureReport::NotOnSubjectSheet}));
        QVERIFY(f.opener.opened.isEmpty());
        QVERIFY(!f.progress.shown);
        QCOMPARE(f.document.grid().revision(), revision);
    }

    void eachListOpensItsNamedDocument()
    {
        Fixture f;
        const quint64 revision = f.document.grid().revision();
        PrintOutcome outcome = f.commands.resultList(place(Page::Subject));
        QVERIFY(outcome.delivered);
        f.commands.completeList(place(Page::Subject));
        f.document.setCurrentPerson(1);
        f.commands.examReport(place(Page::Subject), 32);
        QCOMPARE(f.opener.opened, QStringList({f.file("Fachergebnisse Deutsch 7b.docx"),
                                               f.file("Komplettergebnisse Deutsch 7b.docx"),
                                               f.file("Klausurergebnis 7b.docx")}));
        for (const QString &path : f.opener.opened)
            QVERIFY2(QFile(path).size() > 1000, qPrintable(path));
        // The page of the last report waits for the browser beside its twin.
        QVERIFY(TestSupport::readBytes(ReportPage::docPath(f.folder.path())).contains("Cem"));
        QCOMPARE(TestSupport::readBytes(ReportPage::htmlPath(f.folder.path())),
                 TestSupport::readBytes(ReportPage::docPath(f.folder.path())));
        // Two of three results are 5: the warning follows the document.
        QCOMPARE(f.prompts.messages,
                 QStringList("Sorry, die Arbeit ist leider mit 66 % unter dem Strich."));
        QCOMPARE(f.progress.captions.first(), PrintCommands::SearchingCaption);
        QVERIFY(!f.progress.shown);
        QCOMPARE(f.document.grid().revision(), revision);
    }

    void withoutWordProcessorThePageGoesToTheBrowser()
    {
        Fixture f;
        f.opener.hasWordProcessor = false;
        f.commands.examReport(place(Page::Subject), 32);
        // The warning speaks of red cells that only the document has.
        QCOMPARE(f.prompts.messages, QStringList(ReportOutput::NoWordMessage));
        QCOMPARE(f.opener.opened, QStringList(ReportPage::htmlPath(f.folder.path())));
    }

    void heldDocumentIsNotReplaced()
    {
        Fixture f;
        const QString target = f.file("Fachergebnisse Deutsch 7b.docx");
        QVERIFY(TestSupport::writeBytes(target, "earlier report"));
        QVERIFY(TestSupport::writeBytes(f.file("~$chergebnisse Deutsch 7b.docx")));
        f.commands.resultList(place(Page::Subject));
        QCOMPARE(f.prompts.messages, QStringList(DocxWriter::InUseMessage));
        QVERIFY(f.opener.opened.isEmpty());
        QCOMPARE(TestSupport::readBytes(target), QByteArray("earlier report"));
        QVERIFY(!f.progress.shown);
    }

    void classNameBecomesAFileName()
    {
        Fixture f(QStringLiteral("7/8 b:"));
        f.commands.resultList(place(Page::Subject, 1, QStringLiteral("Mathe?")));
        QCOMPARE(f.opener.opened, QStringList(f.file("Fachergebnisse Mathe- 7-8 b-.docx")));
    }

    void courseBookAsksForItsSubject()
    {
        Fixture f;
        f.prompts.texts << QStringLiteral("Geschichte");
        // Any of the three list buttons prints the course book shown.
        PrintOutcome outcome = f.commands.completeList(place(Page::CourseBook, 2));
        QCOMPARE(f.prompts.questions, QStringList(PrintCommands::CourseBookCaption + '|' +
                                                  PrintCommands::CourseBookQuestion + "|Deutsch"));
        QCOMPARE(outcome.documentPath, f.file("Geschichte, 7b.docx"));
        // A cancelled question keeps the proposed subject.
        f.opener.hasWordProcessor = false;
        outcome = f.commands.courseBook(place(Page::CourseBook, 1));
        QCOMPARE(outcome.documentPath, f.file("Deutsch, 7b.docx"));
        QCOMPARE(f.prompts.messages, QStringList(ReportOutput::CourseBookNoWordMessage));
        QVERIFY(
            TestSupport::readBytes(ReportPage::htmlPath(f.folder.path())).contains("Kursbuches"));
    }

    void personReportShowsTheStoredPhoto()
    {
        Fixture f;
        QImage photo(135, 180, QImage::Format_RGB888);
        photo.fill(QColor(10, 200, 30));
        QVERIFY(QDir(f.folder.path()).mkpath("Fotos/12_2026/7b"));
        QVERIFY(PhotoConverter::saveStoredPhoto(photo, f.file("Fotos/12_2026/7b/2.bmp")));
        f.document.grid().setCell(20, ClassDocument::dataRow(1), "Fotos\\12_2026\\7b\\2.bmp");
        f.document.setCurrentPerson(1);
        f.commands.setProjectFolder(f.folder.path());
        PersonPage person(f.document, f.prompts);
        const PrintOutcome outcome = f.commands.personReport(person);
        QCOMPARE(outcome.documentPath, f.file("Ben.docx"));
        QCOMPARE(f.prompts.messages.size(), 1); // where the temporary picture went
        // The page's picture is the photo itself, not the placeholder.
        const QImage printed(ReportPage::photoPath(f.folder.path()));
        QCOMPARE(printed.size(), QSize(135, 180));
        QCOMPARE(printed.pixelColor(60, 90), QColor(10, 200, 30));
    }

    void verbalListEndsOnThePersonPage()
    {
        Fixture f;
        f.document.setVerbalEvaluation(true);
        f.commands.resultList(place(Page::Subject));
        QCOMPARE(f.prompts.messages, QStringList(PrintCommands::ChooseTabMessage));
        const PrintOutcome outcome =
            f.commands.resultList(place(Page::Overview, 0, QStringLiteral("Ergebnisübersicht")));
        QVERIFY(outcome.backToPersonPage);
        QCOMPARE(outcome.documentPath, f.file("Fachergebnisse 7b.docx"));
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "tst_printcommands.moc"
