// Results, the verbal evaluation, the course book, clipboard blocks and mail links, typed and
// clicked through the real widgets.

#include "coursebook/coursebookview.h"
#include "grades/gradedistributionpanel.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/enlargedtextpanel.h"
#include "sheetkit/sheetview.h"
#include "verbal/levelspanel.h"
#include "verbal/linesprintdialog.h"
#include "verbal/overviewview.h"
#include "verbal/remarkspanel.h"

#include <QPrinter>

// Receives the links the program hands to the desktop's mail program.
class MailCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestPagesGui : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void subjectSheetTakesDigitsOnly_data()
    {
        QTest::addColumn<QString>("stored"); // the row name is what is typed
        QTest::newRow("3") << "3";
        QTest::newRow("2-") << "2";
        QTest::newRow("2,5") << "25";
    }

    void subjectSheetTakesDigitsOnly()
    {
        QFETCH(QString, stored);
        GuiShell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(4);
        shell.show(sheet);
        GuiShell::type(sheet->view(), 2, 5, QString::fromLatin1(QTest::currentDataTag()));
        // Person 2's fourth subject lives in row 1 * 17 + 4.
        QTRY_COMPARE(shell.cell(5, 21), stored);
        // Enter goes on to the next person, ready for the next result.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(sheet->view()->currentIndex(), sheet->view()->model()->index(3, 5));
        QCOMPARE(shell.cells({{31, 21}, {43, 21}, {44, 21}}), stored + "||");
        QVERIFY(!shell.document.isSaved());
    }

    void subjectSheetTopicsAndWrittenResult()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        grid.setCell(3, 602, QStringLiteral("Vokabeltest"));
        SubjectSheetView *sheet = shell.window->subjectSheet(2);
        shell.show(sheet);
        SheetView *view = sheet->view();
        // The cursor waits in the heading row for the next topic.
        QCOMPARE(view->currentIndex().row(), 0);
        GuiShell::type(view, 0, 32, QStringLiteral("Test 1"));
        QTRY_COMPARE(grid.cell(32, 602), "Test 1");
        GuiShell::type(view, 1, 1, QStringLiteral("2"));
        GuiShell::type(view, 1, 32, QStringLiteral("3"));
        QTRY_COMPARE(shell.cells({{43, 2}, {44, 2}}), "3|2"); // 2 x 0.6 + 3 x 0.4 = 2.4
        // A written result column offers a level heading beside it.
        QCOMPARE(shown(view, 0, 33), "Niveau?");

        // A long topic opens in the enlarged panel; a one-character cell hides it.
        EnlargedTextPanel *panel = shell.window->enlargedTextPanel();
        clickCell(view, 0, 3);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->line()->text(), "Vokabeltest");
        QTest::keyClicks(panel->line(), QStringLiteral(" 2"));
        QCOMPARE(grid.cell(3, 602), "Vokabeltest 2");
        clickCell(view, 1, 3);
        QVERIFY(!panel->isVisible());
    }

    void gradeDistributionFollowsTyping()
    {
        GuiShell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(2);
        shell.show(sheet);
        GradeDistributionPanel *panel = sheet->distribution();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->summary(), "noch keine Endnoten");
        GuiShell::type(sheet->view(), 1, 1, QStringLiteral("2"));
        GuiShell::type(sheet->view(), 1, 32, QStringLiteral("3"));
        QTRY_COMPARE(panel->distribution().count(2), 1);
        GuiShell::type(sheet->view(), 2, 1, QStringLiteral("5"));
        GuiShell::type(sheet->view(), 2, 32, QStringLiteral("6")); // 5 x 0.6 + 6 x 0.4 = 5.4
        QTRY_COMPARE(panel->distribution().counts(), QList<int>({0, 1, 0, 0, 1, 0}));
        QCOMPARE(panel->summary(), "Durchschnitt 3,50 aus 2 Endnoten");
        // A better written result moves the final from one bar to another.
        GuiShell::type(sheet->view(), 2, 32, QStringLiteral("2")); // 5 x 0.6 + 2 x 0.4 = 3.8
        QTRY_COMPARE(panel->distribution().counts(), QList<int>({0, 1, 0, 1, 0, 0}));
        QCOMPARE(panel->summary(), "Durchschnitt 3,00 aus 2 Endnoten");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        // Points mode: Lina's 10 and 12 give 11 points, counted on the scale of points.
        shell.show(shell.person());
        tick(child<QRadioButton>(shell.person(), "pointsModeRadio"));
        QTRY_COMPARE(shell.cell(44, 20), "11");
        SubjectSheetView *third = shell.window->subjectSheet(3);
        shell.show(third);
        QCOMPARE(third->distribution()->distribution().labels().first(), "15");
        QCOMPARE(third->distribution()->distribution().count(11), 1);
        QCOMPARE(third->distribution()->summary(), "Durchschnitt 11,00 aus 1 Endnote");
    }

    void exportButtonWritesWhatTheWindowShows()
    {
        GuiShell shell;
        // A subject named on the person page reaches the cells only when the class is saved.
        shell.document.setRowLabel(3, QStringLiteral("Physik"));
        shell.document.grid().setCell(44, 20, QStringLiteral("2"));
        const QString csv = shell.dir.filePath(QStringLiteral("Klasse 7b.csv"));
        shell.prompts.filesToSaveTo << csv;
        click(child<QPushButton>(shell.window.get(), "exportButton"));
        QCOMPARE(shell.prompts.proposedSaves.value(0), shell.dir.filePath("7b.xlsx"));
        QCOMPARE(shell.opener.opened, QStringList{csv});
        const QStringList lines =
            QString::fromUtf8(TestSupport::readBytes(csv)).split(QStringLiteral("\r\n"));
        QVERIFY2(lines.value(0).endsWith(QStringLiteral(";LRS;Physik")),
                 qPrintable(lines.value(0)));
        QVERIFY2(lines.value(2).startsWith(QStringLiteral("2;Bauer, Lina;7b;")) &&
                     lines.value(2).endsWith(QStringLiteral(";2")),
                 qPrintable(lines.value(2)));

        // Without an ending it becomes a workbook; a cancelled dialog writes nothing.
        shell.prompts.filesToSaveTo << shell.dir.filePath(QStringLiteral("Noten"));
        click(child<QPushButton>(shell.window.get(), "exportButton"));
        QVERIFY(QFile::exists(shell.dir.filePath(QStringLiteral("Noten.xlsx"))));
        click(child<QPushButton>(shell.window.get(), "exportButton"));
        QCOMPARE(shell.opener.opened.size(), 2);
        QCOMPARE(shell.prompts.messages, QStringList());
    }

    void personSheetResultsAndSubjectNames()
    {
        GuiShell shell;
        SheetView *sheet = shell.person()->sheet();
        GuiShell::type(sheet, 1, 1, QStringLiteral("2"));
        GuiShell::type(sheet, 1, 2, QStringLiteral("3"));
        GuiShell::type(sheet, 1, 32, QStringLiteral("2,5"));
        QTRY_COMPARE(shell.cell(32, 1), "25");
        // Oral 2.5 is shown as 2 with the half-down option.
        QCOMPARE(shell.cells({{1, 1}, {31, 1}, {43, 1}}), "2|2|25");
        QVERIFY(!shell.cell(44, 1).isEmpty());
        GuiShell::type(sheet, 2, 0, QStringLiteral("Mathe"));
        QTRY_COMPARE(shell.window->tabs()->tabText(2), "Mathe");
        QCOMPARE(shell.cell(0, 2), "Mathe");
    }

    void fieldsAndNavigation()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        QLineEdit *name = person->fieldEdit(PersonPage::Name);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Sahin, Elif"));
        QCOMPARE(shell.cell(0, 16), "Sahin, Elif");
        QLineEdit *klasse = person->fieldEdit(PersonPage::Class);
        QTest::keyClicks(klasse, QStringLiteral("/"));
        QCOMPARE(shell.prompts.messages, {"Keine Sonderzeichen, bitte!"});
        QCOMPARE(klasse->text() + u'|' + shell.cell(1, 16), "7b|7b");

        click(child<QPushButton>(person, "forwardButton"));
        click(child<QPushButton>(person, "forwardButton"));
        QCOMPARE(child<QLineEdit>(person, "listPosition")->text(), "3");
        // The empty slot takes class and school year from the person before.
        QCOMPARE(klasse->text() + u'|' + shell.cell(2, 50), "7b|2026/27");
    }

    void pointsModeReachesEveryone()
    {
        GuiShell shell;
        tick(child<QRadioButton>(shell.person(), "pointsModeRadio"));
        QVERIFY(shell.document.pointsMode());
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].startsWith(QStringLiteral("Es dauert einen Moment")));
        // Lina (index 1), subject 3: oral 10, written 12 at 60:40 gives 10.8 points.
        QCOMPARE(shell.cell(44, 20) + u'|' + shell.cell(45, 20), "11|2");
    }

    void marksGiveTendencyAndOverview()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        tick(person->verbalCheck());
        QVERIFY(shell.document.verbalEvaluation());
        QTabWidget *tabs = shell.window->tabs();
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(shell.window->subjectSheet(1))));
        QVERIFY(tabs->isTabVisible(tabs->indexOf(shell.window->overview())));
        QCOMPARE(tabs->tabText(tabs->indexOf(shell.window->overview())), "Ergebnisübersicht");
        // The pop-art choice is kept, but not offered, while the verbal evaluation is on.
        QVERIFY(!child<QCheckBox>(shell.window.get(), "popArtCheck")->isVisible());

        SheetView *table = person->evaluationView();
        GuiShell::type(table, 1, 0, QStringLiteral("Liest fliessend"));
        GuiShell::type(table, 1, 1, QStringLiteral("2"));
        GuiShell::type(table, 1, 2, QStringLiteral("34")); // one character per mark
        GuiShell::type(table, 1, 3, QStringLiteral("3"));
        QTRY_COMPARE(shell.cell(3, 1001), "3");
        const QString expected = u'2' + QLocale::system().decimalPoint() + u'7';
        QCOMPARE(shell.cell(2, 1001) + u'|' + shell.cell(36, 1001), "3|" + expected);
        // The criterion is the same for everyone.
        QCOMPARE(shell.cell(0, 1000 + 17 * 20 + 1), "Liest fliessend");

        shell.show(shell.window->overview());
        SheetView *overview = shell.window->overview()->view();
        QCOMPARE(shown(overview, 0, 1) + u'|' + shown(overview, 1, 1),
                 "Liest fliessend|" + expected);
        // A judgement typed elsewhere comes first, at once.
        shell.document.grid().setCell(35, 1001, QStringLiteral("b"));
        QCOMPARE(shown(overview, 1, 1), "b");
    }

    void remarksAndIndicator()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        QVERIFY(!person->remarksCaption()->font().bold());
        click(person->remarksCaption());
        RemarksPanel *remarks = person->remarksPanel();
        QVERIFY(remarks->isVisible());
        QTest::keyClicks(remarks->text(), QStringLiteral("Erste Zeile"));
        QTest::keyClick(remarks->text(), Qt::Key_Return);
        QTest::keyClick(remarks->text(), Qt::Key_Return);
        QTest::keyClicks(remarks->text(), QStringLiteral("Neuer Absatz"));
        QCOMPARE(shell.cell(0, 620) + u'|' + shell.cell(2, 620), "Erste Zeile|Neuer Absatz");
        click(child<QPushButton>(remarks, "remarksClose"));
        QVERIFY(person->remarksCaption()->font().bold());

        // Deleting can be taken back.
        click(person->remarksCaption());
        click(child<QPushButton>(remarks, "remarksClear"));
        QCOMPARE(shell.cell(0, 620), QString());
        QVERIFY(remarks->undoButton()->isVisible());
        click(remarks->undoButton());
        QCOMPARE(shell.cell(2, 620), "Neuer Absatz");
    }

    void levelsAreKeptAndPrinted()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        tick(person->verbalCheck());
        click(person->levelsButton());
        QCOMPARE(person->levelsButton()->text(), "Beurteilungsstufen weg");
        QTest::keyClicks(person->levelsPanel()->text(), QStringLiteral("sehr sicher"));
        QCOMPARE(shell.cell(0, 1714), "sehr sicher");

        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("stufen.pdf")));
        LinesPrintDialog::printTo(printer, person->font(), {QStringLiteral("      sehr sicher")});
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 500);
    }

    void attendanceIsCounted()
    {
        GuiShell shell;
        shell.document.grid().setCell(50, 578, QStringLiteral("D"));
        CourseBookView *book = shell.window->courseBook(1);
        shell.show(book);
        QVERIFY(!book->view()->toolTip().isEmpty()); // the legend, for the first moments
        QCOMPARE(shown(book->doubleLessonView(), 0, 4), "D");

        GuiShell::type(book->view(), 3, 4, QStringLiteral("F"));
        QTRY_COMPARE(shell.cell(50, 33), "F");
        QCOMPARE(shell.cell(47, 33) + u'|' + shell.cell(48, 33), "2|2");
        GuiShell::type(book->view(), 3, 5, QStringLiteral("e"));
        QTRY_COMPARE(shell.cell(47, 33), "3");
        QCOMPARE(shown(book->view(), 3, 1), "3");

        // Taking the double lesson back counts that absence once.
        SheetView *doubles = book->doubleLessonView();
        GuiShell::type(doubles, 0, 4, QStringLiteral(" "));
        QTRY_COMPARE(shell.cell(50, 578), "D");
        doubles->model()->setData(doubles->model()->index(0, 4), QString());
        QCOMPARE(shell.cell(47, 33), "2");
    }

    void blocksTravelThroughClipboard()
    {
        GuiShell shell;
        SheetView *view = shell.window->subjectSheet(1)->view();
        shell.show(shell.window->subjectSheet(1));
        const auto at = [view](int row, int column) { return view->model()->index(row, column); };
        // Rows as a spreadsheet on Linux puts them: LF only.
        QGuiApplication::clipboard()->setText(QStringLiteral("2\t3\n4\t5\n"));
        view->setCurrentIndex(at(2, 0));
        view->pasteClipboard();
        // Column 0 holds the names: the block starts in column 1, and is stored at once;
        // 4.5 is kept down.
        QCOMPARE(shell.cell(1, 18) + u'|' + shell.cell(2, 35) + u'|' + shell.cell(31, 35), "2|5|4");

        // From row 1 on, the first row is taken for the topics above it.
        view->setCurrentIndex(at(1, 3));
        view->pasteClipboard();
        QCOMPARE(shell.cell(3, 601) + u'|' + shell.cell(4, 1), "2|5");

        view->selectionModel()->select(QItemSelection(at(2, 1), at(3, 2)),
                                       QItemSelectionModel::ClearAndSelect);
        view->copySelection();
        QCOMPARE(QGuiApplication::clipboard()->text(), "2\t3\r\n4\t5\r\n");
    }

    void mailToOneOrAll()
    {
        GuiShell shell;
        MailCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        PersonPageView *person = shell.person();
        QCOMPARE(person->emailCaption()->cursor().shape(), Qt::PointingHandCursor);
        click(person->emailCaption());
        QTest::mouseClick(person->mailToAll(), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(person->mailToAll()->text(), "an alle !");
        QTest::mouseClick(person->mailPanel(), Qt::LeftButton, {}, QPoint(3, 3));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));

        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[0].path(), "paul+eltern@example.org");
        QCOMPARE(QUrlQuery(catcher.urls[1]).queryItemValue("bcc", QUrl::FullyDecoded),
                 "paul+eltern@example.org;lina@example.org;");
    }
};

QTEST_MAIN(TestPagesGui)
#include "tst_gui_pages.moc"
