// The print buttons of the main window, clicked as a teacher does: after typing a result,
// on the right page and on the wrong one, and from the course book.

#include "guishell.h"

#include "app/printprogresspanel.h"
#include "coursebook/coursebookview.h"
#include "documents/reportpage.h"
#include "grades/subjectsheetview.h"
#include "person/personpageview.h"
#include "reports/printcommands.h"
#include "sheetkit/sheetview.h"

namespace {

QPushButton *printButton(const GuiShell &shell, const char *name)
{
    return child<QPushButton>(shell.window.get(), name);
}

QByteArray page(const GuiShell &shell)
{
    return TestSupport::readBytes(ReportPage::docPath(shell.options.reportFolder));
}

} // namespace

class GuiPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void resultListAfterTypingOpensOneDocument()
    {
        GuiShell shell;
        SubjectSheetView *german = shell.window->subjectSheet(1);
        shell.show(german);
        // Paul's first written result, typed the moment before the click.
        clickCell(german->view(), 1, 32);
        shell.typeSlowly(QStringLiteral("4"));
        click(printButton(shell, "resultListButton"));
        QTRY_COMPARE(shell.opener.opened.size(), 1);
        const QString document = QDir(shell.options.reportFolder)
                                     .filePath(QStringLiteral("Fachergebnisse Fach 1 7b.docx"));
        QCOMPARE(shell.opener.opened, QStringList(document));
        QVERIFY(QFile(document).size() > 1000);
        QVERIFY(page(shell).contains("Albrecht, Paul"));
        QCOMPARE(shell.cell(32, 1), QStringLiteral("4"));
        QVERIFY(shell.prompts.messages.isEmpty());
        QVERIFY(!shell.window->printProgress()->isVisible());
        QCOMPARE(shell.window->tabs()->currentWidget(), german);
    }

    void wrongPageIsNamed()
    {
        GuiShell shell;
        shell.show(shell.person());
        click(printButton(shell, "resultListButton"));
        click(printButton(shell, "completeListButton"));
        click(printButton(shell, "examReportButton"));
        QCOMPARE(shell.prompts.messages,
                 QStringList({PrintCommands::ChooseTabMessage, PrintCommands::ChooseSubjectMessage,
                              QStringLiteral("Bitte zunächst die Fachseite wählen und die "
                                             "entsprechende Klausurspalte irgendwo anklicken!")}));
        QVERIFY(shell.opener.opened.isEmpty());
    }

    void examTakesTheColumnLastClicked()
    {
        GuiShell shell;
        SubjectSheetView *first = shell.window->subjectSheet(1);
        shell.show(first);
        clickCell(first->view(), 1, 33);
        shell.typeSlowly(QStringLiteral("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        clickCell(first->view(), 1, 43);
        shell.typeSlowly(QStringLiteral("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        clickCell(first->view(), 2, 33);
        click(printButton(shell, "examReportButton"));
        QTRY_COMPARE(shell.opener.opened.size(), 1);
        QVERIFY(shell.opener.opened.first().endsWith(QStringLiteral("Klausurergebnis 7b.docx")));
        QCOMPARE(shell.window->examColumn(), 33);
        // The page lists names and the exam's results.
        const QString text = QString::fromLatin1(page(shell));
        QVERIFY(text.contains(QStringLiteral("Albrecht, Paul")));
        QVERIFY(text.contains(QStringLiteral("\">2</font>")));
    }

    void courseBookPrintsUnderTheNamedSubject()
    {
        GuiShell shell;
        CourseBookView *book = shell.window->courseBook(2);
        shell.show(book);
        shell.prompts.texts << QStringLiteral("Erdkunde");
        click(child<QPushButton>(book, "printButton"));
        QTRY_COMPARE(shell.opener.opened.size(), 1);
        QVERIFY(shell.opener.opened.first().endsWith(QStringLiteral("Erdkunde, 7b.docx")));
        QCOMPARE(shell.prompts.questions.size(), 1);
        // A list button on the course book prints the course book too.
        click(printButton(shell, "resultListButton"));
        QTRY_COMPARE(shell.opener.opened.size(), 2);
        QVERIFY(shell.opener.opened.last().endsWith(QStringLiteral("Fach 1, 7b.docx")));

        // A file of an older version keeps Lina's absence where the totals go now: the
        // warning sends the old entries to paper before anything is overwritten.
        shell.document.grid().setCell(47, 33, QStringLiteral("F"));
        CourseBookView *first = shell.window->courseBook(1);
        shell.show(first);
        QTRY_VERIFY(first->warning()->isVisible());
        click(child<QPushButton>(first, "warningPrint"));
        QTRY_COMPARE(shell.opener.opened.size(), 3);
        QVERIFY(!first->warning()->isVisible());
        QVERIFY(page(shell).contains("Bauer, Lina"));
        QVERIFY(page(shell).contains("\">F</font>"));
        QCOMPARE(shell.cell(47, 33), QStringLiteral("F"));
    }

    void verbalModeHasNoSubjectPrints()
    {
        GuiShell shell;
        shell.document.setVerbalEvaluation(true);
        shell.window->showLoadedClass();
        QVERIFY(printButton(shell, "resultListButton")->isVisible());
        QVERIFY(printButton(shell, "personReportButton")->isVisible());
        QVERIFY(!printButton(shell, "completeListButton")->isVisible());
        QVERIFY(!printButton(shell, "examReportButton")->isVisible());
        QVERIFY(printButton(shell, "specialPrintsButton")->isVisible());
        shell.show(shell.window->page(MainWindow::OverviewPage));
        click(printButton(shell, "resultListButton"));
        QTRY_COMPARE(shell.opener.opened.size(), 1);
        QVERIFY(shell.opener.opened.first().endsWith(QStringLiteral("Fachergebnisse 7b.docx")));
        QCOMPARE(shell.window->tabs()->currentWidget(), shell.person());
    }
};

QTEST_MAIN(GuiPrintTest)
#include "tst_gui_print.moc"
